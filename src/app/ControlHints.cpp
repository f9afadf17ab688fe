#include "app/ControlHints.h"

#include "platform/KeyCodes.h"

#include <array>
#include <string_view>
#include <utility>

namespace qv {

namespace {

using Names = std::array<std::pair<std::string_view, std::string_view>, 9>;

constexpr Names kKeyNames{{
    {"RETURN", "Enter"},
    {"ESCAPE", "Esc"},
    {"SPACE", "Space"},
    {"UP", "Up"},
    {"DOWN", "Down"},
    {"LEFT", "Left"},
    {"RIGHT", "Right"},
    {"LSHIFT", "LShift"},
    {"BACK", "Backspace"},
}};

// Pad inputs without their PAD_ prefix.
constexpr Names kPadNames{{
    {"START", "Start"},
    {"BACK", "Back"},
    {"GUIDE", "Guide"},
    {"LSTICK_LEFT", "Stick left"},
    {"LSTICK_RIGHT", "Stick right"},
    {"LSTICK_UP", "Stick up"},
    {"LSTICK_DOWN", "Stick down"},
    {"DPAD_LEFT", "D-pad left"},
    {"DPAD_RIGHT", "D-pad right"},
}};

std::string friendly(const Names& names, std::string name) {
    for (const auto& [from, to] : names) {
        if (name == from)
            return std::string(to);
    }
    return name;
}

// "Enter start" pieces joined with wide gaps; an action without a binding of that kind is left out.
void add(std::string& line, const std::string& control, std::string_view what) {
    if (control.empty())
        return;
    line += (line.empty() ? "" : "   ") + control;
    line += ' ';
    line += what;
}

std::string steering(const Bindings& bindings, InputDevice device) {
    const std::string left = ControlHints::firstOf(bindings, GameAction::Left, device);
    const std::string right = ControlHints::firstOf(bindings, GameAction::Right, device);
    if (left == "D-pad left" && right == "D-pad right")
        return "D-pad";
    if (left.empty() || right.empty())
        return left + right;
    return left + "/" + right;
}

} // namespace

std::string ControlHints::shownName(const Bindings::Binding& binding) {
    std::string name = Bindings::describe({binding});
    if (Bindings::isKey(binding))
        return friendly(kKeyNames, std::move(name));
    if (name.starts_with("PAD_"))
        name.erase(0, 4);
    return friendly(kPadNames, std::move(name));
}

std::string ControlHints::firstOf(const Bindings& bindings, GameAction action, InputDevice device) {
    const Bindings::List list = device == InputDevice::Pad ? Bindings::padInputsOf(bindings.of(action))
                                                           : Bindings::keysOf(bindings.of(action));
    return list.empty() ? std::string() : shownName(list.front());
}

std::string ControlHints::demo(const Bindings& bindings, InputDevice device) {
    const bool pad = device == InputDevice::Pad;
    std::string line;
    add(line, firstOf(bindings, GameAction::Enter, device), "play");
    add(line, steering(bindings, device), "mode");
    add(line, pad ? "Y" : "O", "options");
    add(line, pad ? "X" : "H", "records");
    if (!pad)
        add(line, firstOf(bindings, GameAction::Quit, device), "quit");
    return line;
}

std::string ControlHints::driving(const Bindings& bindings, InputDevice device) {
    std::string line;
    add(line, firstOf(bindings, GameAction::Pedal, device), "pedal");
    add(line, firstOf(bindings, GameAction::Brake, device), "brake");
    add(line, steering(bindings, device), "steer");
    add(line, firstOf(bindings, GameAction::Boost, device), "boost");
    add(line, firstOf(bindings, GameAction::Jump, device), "jump");
    if (device == InputDevice::Keyboard)
        add(line, firstOf(bindings, GameAction::Quit, device), "menu");
    return line;
}

} // namespace qv
