#include "platform/PadCodes.h"

#include "platform/KeyCodes.h"

#include <algorithm>
#include <array>

namespace qv {

namespace {

struct NamedPadInput {
    std::string_view name;
    PadInput input;
};

using B = PadButton;
using A = PadAxis;

constexpr std::array kPadInputs = {
    NamedPadInput{"PAD_A", PadInput::button(B::A)},
    NamedPadInput{"PAD_B", PadInput::button(B::B)},
    NamedPadInput{"PAD_X", PadInput::button(B::X)},
    NamedPadInput{"PAD_Y", PadInput::button(B::Y)},
    NamedPadInput{"PAD_BACK", PadInput::button(B::Back)},
    NamedPadInput{"PAD_GUIDE", PadInput::button(B::Guide)},
    NamedPadInput{"PAD_START", PadInput::button(B::Start)},
    NamedPadInput{"PAD_L3", PadInput::button(B::LeftStick)},
    NamedPadInput{"PAD_R3", PadInput::button(B::RightStick)},
    NamedPadInput{"PAD_LB", PadInput::button(B::LeftShoulder)},
    NamedPadInput{"PAD_RB", PadInput::button(B::RightShoulder)},
    NamedPadInput{"PAD_DPAD_UP", PadInput::button(B::DpadUp)},
    NamedPadInput{"PAD_DPAD_DOWN", PadInput::button(B::DpadDown)},
    NamedPadInput{"PAD_DPAD_LEFT", PadInput::button(B::DpadLeft)},
    NamedPadInput{"PAD_DPAD_RIGHT", PadInput::button(B::DpadRight)},
    NamedPadInput{"PAD_LSTICK_LEFT", PadInput::negative(A::LeftX)},
    NamedPadInput{"PAD_LSTICK_RIGHT", PadInput::positive(A::LeftX)},
    NamedPadInput{"PAD_LSTICK_UP", PadInput::negative(A::LeftY)},
    NamedPadInput{"PAD_LSTICK_DOWN", PadInput::positive(A::LeftY)},
    NamedPadInput{"PAD_RSTICK_LEFT", PadInput::negative(A::RightX)},
    NamedPadInput{"PAD_RSTICK_RIGHT", PadInput::positive(A::RightX)},
    NamedPadInput{"PAD_RSTICK_UP", PadInput::negative(A::RightY)},
    NamedPadInput{"PAD_RSTICK_DOWN", PadInput::positive(A::RightY)},
    NamedPadInput{"PAD_LT", PadInput::positive(A::LeftTrigger)},
    NamedPadInput{"PAD_RT", PadInput::positive(A::RightTrigger)},
};

struct NamedAxis {
    std::string_view name;
    PadAxis axis;
};

constexpr std::array kAxes = {
    NamedAxis{"LEFTX", A::LeftX},
    NamedAxis{"LEFTY", A::LeftY},
    NamedAxis{"RIGHTX", A::RightX},
    NamedAxis{"RIGHTY", A::RightY},
    NamedAxis{"LEFTTRIGGER", A::LeftTrigger},
    NamedAxis{"LT", A::LeftTrigger},
    NamedAxis{"RIGHTTRIGGER", A::RightTrigger},
    NamedAxis{"RT", A::RightTrigger},
};

template <typename Table> auto findNamed(const Table& table, std::string_view name) {
    return std::ranges::find_if(table, [name](const auto& entry) { return sameKeyName(entry.name, name); });
}

} // namespace

std::optional<PadInput> padInputFromName(std::string_view name) {
    auto it = findNamed(kPadInputs, name);
    if (it == kPadInputs.end())
        return std::nullopt;
    return it->input;
}

std::string padInputName(PadInput input) {
    auto it = std::ranges::find(kPadInputs, input, &NamedPadInput::input);
    return it == kPadInputs.end() ? std::string("PAD_?") : std::string(it->name);
}

std::optional<PadButton> padButtonFromName(std::string_view name) {
    auto input = padInputFromName(name);
    if (!input || input->kind != PadInput::Kind::Button)
        return std::nullopt;
    return static_cast<PadButton>(input->index);
}

std::optional<PadAxis> padAxisFromName(std::string_view name) {
    auto it = findNamed(kAxes, name);
    if (it == kAxes.end())
        return std::nullopt;
    return it->axis;
}

} // namespace qv
