#include "app/ControlHints.h"
#include "platform/KeyCodes.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ControlHintsTest, TheSignsNameThePlayersOwnBindingsForTheDeviceUsedLast) {
    Bindings b = Bindings::defaults();
    EXPECT_EQ(ControlHints::demo(b, InputDevice::Keyboard),
              "Enter play   Left/Right mode   O options   H records   Esc quit");
    EXPECT_EQ(ControlHints::driving(b, InputDevice::Pad),
              "A pedal   B brake   D-pad steer   RB boost   X jump");

    b.assign(GameAction::Pedal, key::kG);
    b.assign(GameAction::Boost, key::kA); // A was Boost's second key: now its first
    b.set(GameAction::Left, {key::kNumpad4});
    b.set(GameAction::Right, {});
    EXPECT_EQ(ControlHints::driving(b, InputDevice::Keyboard),
              "G pedal   D brake   NUMPAD4 steer   A boost   Space jump   Esc menu");
    EXPECT_EQ(ControlHints::demo(b, InputDevice::Pad), "Start play   Y options   X records");
}

TEST(ControlHintsTest, PadNamesLoseTheirPrefixAndKeysReadAsOnTheKeyboard) {
    using B = Bindings::Binding;
    EXPECT_EQ(ControlHints::shownName(B(key::kReturn)), "Enter");
    EXPECT_EQ(ControlHints::shownName(B(key::kBack)), "Backspace");
    EXPECT_EQ(ControlHints::shownName(B(PadInput::button(PadButton::Back))), "Back");
    EXPECT_EQ(ControlHints::shownName(B(PadInput::positive(PadAxis::RightTrigger))), "RT");
    EXPECT_EQ(ControlHints::shownName(B(PadInput::negative(PadAxis::LeftX))), "Stick left");
}

} // namespace
} // namespace qv
