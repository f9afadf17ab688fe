#pragma once

#include "platform/Clock.h"

namespace qv {

// The wall clock of a normal run: SDL's millisecond ticks.
class SdlClock : public Clock {
  public:
    // How long before a deadline the wait stops sleeping and spins, so the scheduler's wake-up
    // slack never makes a tick late.
    static constexpr uint32_t kSpinMs = 2;

    uint32_t now() override;
    // Sleeps until about kSpinMs before the deadline and spins the rest: the tick keeps its
    // exact schedule while an idle game does not hold a core at 100%.
    void waitUntil(uint32_t deadline) override;
    // While nothing is shown (a minimised window) a tick a millisecond late harms nobody: the
    // wait sleeps all the way instead of spinning.
    void setRelaxed(bool relaxed) { relaxed_ = relaxed; }

  private:
    bool relaxed_ = false;
};

} // namespace qv
