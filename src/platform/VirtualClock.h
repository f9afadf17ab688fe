#pragma once

#include "platform/Clock.h"

namespace qv {

// The headless clock: time moves only when someone waits for it or advances it, so a headless
// run goes as fast as the CPU allows and every run sees the same times.
class VirtualClock : public Clock {
  public:
    explicit VirtualClock(uint32_t start = 0) : time_(start) {}

    uint32_t now() override { return time_; }
    // Jumps straight to the deadline; a deadline already passed leaves the time alone.
    void waitUntil(uint32_t deadline) override;
    void advance(uint32_t ms) { time_ += ms; }

  private:
    uint32_t time_;
};

} // namespace qv
