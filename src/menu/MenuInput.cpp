#include "menu/MenuInput.h"

#include "platform/KeyCodes.h"

#include <array>
#include <utility>

namespace qv {

namespace {

struct KeyCommand {
    uint8_t code;
    MenuCommand command;
};

constexpr std::array kKeys{
    KeyCommand{key::kUp, MenuCommand::Up},          KeyCommand{key::kDown, MenuCommand::Down},
    KeyCommand{key::kLeft, MenuCommand::Left},      KeyCommand{key::kRight, MenuCommand::Right},
    KeyCommand{key::kReturn, MenuCommand::Confirm}, KeyCommand{key::kNumpadEnter, MenuCommand::Confirm},
    KeyCommand{key::kSpace, MenuCommand::Confirm},  KeyCommand{key::kEscape, MenuCommand::Back},
    KeyCommand{key::kBack, MenuCommand::Back},
};

struct PadCommand {
    PadButton button;
    MenuCommand command;
};

constexpr std::array kPadButtons{
    PadCommand{PadButton::DpadUp, MenuCommand::Up},     PadCommand{PadButton::DpadDown, MenuCommand::Down},
    PadCommand{PadButton::DpadLeft, MenuCommand::Left}, PadCommand{PadButton::DpadRight, MenuCommand::Right},
    PadCommand{PadButton::A, MenuCommand::Confirm},     PadCommand{PadButton::Start, MenuCommand::Confirm},
    PadCommand{PadButton::B, MenuCommand::Back},
};

// The left stick as a d-pad.
MenuCommand stickDirection(const PadState& pad) {
    const float x =
        pad.value(PadInput::positive(PadAxis::LeftX)) - pad.value(PadInput::negative(PadAxis::LeftX));
    const float y =
        pad.value(PadInput::positive(PadAxis::LeftY)) - pad.value(PadInput::negative(PadAxis::LeftY));
    if (y <= -MenuInput::kStickPush)
        return MenuCommand::Up;
    if (y >= MenuInput::kStickPush)
        return MenuCommand::Down;
    if (x <= -MenuInput::kStickPush)
        return MenuCommand::Left;
    if (x >= MenuInput::kStickPush)
        return MenuCommand::Right;
    return MenuCommand::None;
}

bool isDirection(MenuCommand command) {
    return command == MenuCommand::Up || command == MenuCommand::Down || command == MenuCommand::Left ||
           command == MenuCommand::Right;
}

constexpr std::array<PadInput, 2 * kPadAxisCount> axisInputs() {
    std::array<PadInput, 2 * kPadAxisCount> inputs{};
    for (size_t a = 0; a < kPadAxisCount; ++a) {
        inputs[2 * a] = PadInput::negative(static_cast<PadAxis>(a));
        inputs[2 * a + 1] = PadInput::positive(static_cast<PadAxis>(a));
    }
    return inputs;
}

} // namespace

MenuInput::MenuInput(const KeySource& keys, const PadSource& pad) : keySource_(keys), padSource_(pad) {
    keySource_.readAll(keys_);
    pad_ = padSource_.padState();
    wasKeys_ = keys_;
    wasPad_ = pad_;
}

MenuCommand MenuInput::poll() {
    wasKeys_ = keys_;
    wasPad_ = pad_;
    keySource_.readAll(keys_);
    pad_ = padSource_.padState();
    if (anyFreshPad())
        lastUsed_ = InputDevice::Pad;
    else if (anyFreshKey())
        lastUsed_ = InputDevice::Keyboard;

    const MenuCommand fresh = freshCommand();
    const MenuCommand held = heldDirection();
    if (held != held_) {
        held_ = held;
        heldTicks_ = 0;
    } else if (held != MenuCommand::None) {
        ++heldTicks_;
    }
    if (fresh != MenuCommand::None)
        return fresh;
    const bool repeats = heldTicks_ >= kRepeatDelay && (heldTicks_ - kRepeatDelay) % kRepeatEvery == 0;
    return held_ != MenuCommand::None && repeats ? held_ : MenuCommand::None;
}

MenuCommand MenuInput::freshCommand() const {
    for (const KeyCommand& k : kKeys) {
        if (pressed(k.code))
            return k.command;
    }
    for (const PadCommand& p : kPadButtons) {
        if (pressed(p.button))
            return p.command;
    }
    const MenuCommand stick = stickDirection(pad_);
    return stick != stickDirection(wasPad_) ? stick : MenuCommand::None;
}

// The one direction held down now, if any (the first found, for a player pressing two).
MenuCommand MenuInput::heldDirection() const {
    for (const KeyCommand& k : kKeys) {
        if (keys_[k.code] && isDirection(k.command))
            return k.command;
    }
    for (const PadCommand& p : kPadButtons) {
        if (pad_.held(p.button) && isDirection(p.command))
            return p.command;
    }
    return stickDirection(pad_);
}

bool MenuInput::anyFreshKey() const {
    for (size_t code = 0; code < keys_.size(); ++code) {
        if (pressed(static_cast<uint8_t>(code)))
            return true;
    }
    return false;
}

bool MenuInput::anyFreshPad() const {
    for (size_t b = 0; b < kPadButtonCount; ++b) {
        if (pressed(static_cast<PadButton>(b)))
            return true;
    }
    return stickDirection(pad_) != stickDirection(wasPad_) && stickDirection(pad_) != MenuCommand::None;
}

std::optional<Bindings::Binding> MenuInput::newPress() const {
    for (size_t code = 0; code < keys_.size(); ++code) {
        if (pressed(static_cast<uint8_t>(code)))
            return Bindings::Binding(static_cast<uint8_t>(code));
    }
    for (size_t b = 0; b < kPadButtonCount; ++b) {
        if (pressed(static_cast<PadButton>(b)))
            return Bindings::Binding(PadInput::button(static_cast<PadButton>(b)));
    }
    for (const PadInput& input : axisInputs()) {
        if (pad_.value(input) >= kStickPush && wasPad_.value(input) < kStickPush)
            return Bindings::Binding(input);
    }
    return std::nullopt;
}

} // namespace qv
