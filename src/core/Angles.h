#pragma once

#include <numbers>

namespace qv {

// The game's angles are single-precision radians.
inline constexpr float kPi = std::numbers::pi_v<float>;
inline constexpr float kHalfPi = kPi / 2.0f;
inline constexpr float kTwoPi = kPi * 2.0f;

// Brings an angle that has just passed a full turn back by one; the spinning figures step by
// less than a turn a frame, so one subtraction is enough.
inline constexpr float wrapOnce(float angle) {
    return angle > kTwoPi ? angle - kTwoPi : angle;
}

} // namespace qv
