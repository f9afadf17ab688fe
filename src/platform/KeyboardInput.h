#pragma once

#include "platform/KeySource.h"

#include <array>
#include <cstdint>

namespace qv {

// The game's keyboard: a 256-byte snapshot refreshed once per scene update by poll(), plus the
// "immediate" keys (Escape, Enter, arrows, W, P) read live from the source at any time.
class KeyboardInput {
  public:
    static constexpr uint8_t kHeld = 0x80;

    explicit KeyboardInput(const KeySource& source) : source_(source) {}

    // Refreshes the snapshot from the live source. Never fails: a window without focus reads
    // every key as up.
    void poll();
    // State byte of a key in the snapshot; high bit set while held.
    uint8_t keyState(uint8_t code) const { return state_[code]; }
    bool keyHeld(uint8_t code) const { return (state_[code] & kHeld) != 0; }
    // Live reading that bypasses the snapshot, for the immediate keys.
    bool asyncHeld(uint8_t code) const { return source_.isDown(code); }
    // Releases the device at shutdown: the snapshot reads all keys up from then on.
    void unacquire() { state_.fill(0); }

  private:
    const KeySource& source_;
    std::array<uint8_t, 256> state_{};
};

} // namespace qv
