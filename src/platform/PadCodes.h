#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The buttons and axes of a game pad in the usual layout (the names of SDL's game controller
// database, which maps every known pad onto it). South, east, west and north are A, B, X, Y.
enum class PadButton : uint8_t {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
};
inline constexpr size_t kPadButtonCount = static_cast<size_t>(PadButton::DpadRight) + 1;

// Sticks run -1 .. 1 (x to the right, y downwards), triggers 0 .. 1.
enum class PadAxis : uint8_t { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger };
inline constexpr size_t kPadAxisCount = static_cast<size_t>(PadAxis::RightTrigger) + 1;

// One thing on a pad an action can be bound to: a button, or one direction of an axis (a stick
// pushed left, a trigger pulled).
struct PadInput {
    enum class Kind : uint8_t { Button, AxisNegative, AxisPositive };
    Kind kind = Kind::Button;
    uint8_t index = 0; // a PadButton or a PadAxis

    static constexpr PadInput button(PadButton b) { return {Kind::Button, static_cast<uint8_t>(b)}; }
    static constexpr PadInput negative(PadAxis a) { return {Kind::AxisNegative, static_cast<uint8_t>(a)}; }
    static constexpr PadInput positive(PadAxis a) { return {Kind::AxisPositive, static_cast<uint8_t>(a)}; }
    bool operator==(const PadInput&) const = default;
};

// Binding names: PAD_A, PAD_START, PAD_DPAD_LEFT, PAD_LT, PAD_LSTICK_LEFT, ... (case does not
// matter). Every name begins with PAD_, so none is also a key's name.
std::optional<PadInput> padInputFromName(std::string_view name);
std::string padInputName(PadInput input);
// A button by its binding name, for key scripts ("PAD_A"); empty for axes and unknown names.
std::optional<PadButton> padButtonFromName(std::string_view name);
// An axis by its key-script name: LEFTX, LEFTY, RIGHTX, RIGHTY, LEFTTRIGGER (or LT), RIGHTTRIGGER (or RT).
std::optional<PadAxis> padAxisFromName(std::string_view name);

} // namespace qv
