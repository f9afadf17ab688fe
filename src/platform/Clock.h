#pragma once

#include <cstdint>

namespace qv {

// Millisecond clock of the game tick.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint32_t now() = 0;
    // Returns once now() has reached deadline (unsigned, wrapping comparison).
    virtual void waitUntil(uint32_t deadline) = 0;
};

// True while a is before b on the wrapping 32-bit millisecond clock.
inline bool clockBefore(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) < 0;
}

} // namespace qv
