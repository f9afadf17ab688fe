#pragma once

#include "platform/PadCodes.h"

#include <array>

namespace qv {

// What the player's pad holds at one moment, as its source reports it: raw axes, which may be
// anything a driver sends (NaN, out of range); value() makes them safe. With several pads
// plugged in, the source merges them into one.
struct PadState {
    // A stick needs this much travel before it counts, so a worn one resting off centre
    // steers nothing; the rest of the travel is scaled back to 0 .. 1.
    static constexpr float kStickDeadZone = 0.25f;
    // A trigger is a button for the actions it is bound to: it needs a deliberate pull.
    static constexpr float kTriggerDeadZone = 0.3f;

    bool connected = false;
    std::array<bool, kPadButtonCount> buttons{};
    std::array<float, kPadAxisCount> axes{};

    bool held(PadButton button) const { return buttons[static_cast<size_t>(button)]; }
    // How far an input is pushed, 0 .. 1: 1 or 0 for a button, past the dead zone for an axis
    // direction. A NaN or infinite axis reads 0, an axis beyond its end reads full.
    float value(PadInput input) const;
};

} // namespace qv
