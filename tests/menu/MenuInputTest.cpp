#include "menu/MenuInput.h"
#include "platform/KeyCodes.h"
#include "platform/ScriptedKeySource.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

// The commands of ticks 1..last under a key script.
std::vector<MenuCommand> commands(const std::string& script, uint32_t last) {
    auto keys = ScriptedKeySource::fromText(script);
    MenuInput input(keys, keys);
    std::vector<MenuCommand> out;
    for (uint32_t tick = 1; tick <= last; ++tick) {
        keys.advanceTo(tick);
        out.push_back(input.poll());
    }
    return out;
}

using C = MenuCommand;

TEST(MenuInputTest, KeysAndPadButtonsCountOnceWhenPressedAndNotWhileHeld) {
    const auto got = commands("2 down RETURN\n4 up RETURN\n5 down PAD_B\n6 down ESCAPE\n7 down PAD_DPAD_UP\n"
                              "8 down SPACE\n9 down BACK\n10 down PAD_START\n",
                              10);
    const std::vector<C> expected{C::None, C::Confirm, C::None,    C::None, C::Back,
                                  C::Back, C::Up,      C::Confirm, C::Back, C::Confirm};
    EXPECT_EQ(got, expected);
}

// A held direction repeats after a pause, at a steady pace; letting go stops it at once.
TEST(MenuInputTest, AHeldDirectionRepeatsAfterADelay) {
    const uint32_t last = 2 + MenuInput::kRepeatDelay + 2 * MenuInput::kRepeatEvery;
    const auto got = commands("2 down DOWN\n" + std::to_string(last) + " up DOWN\n", last + 3);
    std::vector<uint32_t> downs;
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] == C::Down)
            downs.push_back(static_cast<uint32_t>(i + 1));
    const std::vector<uint32_t> expected{2, 2 + MenuInput::kRepeatDelay,
                                         2 + MenuInput::kRepeatDelay + MenuInput::kRepeatEvery};
    EXPECT_EQ(downs, expected);
}

TEST(MenuInputTest, TheLeftStickMovesLikeTheDpadOncePushedPastHalfWay) {
    const auto got = commands("2 axis LEFTX -0.4\n3 axis LEFTX -0.9\n4 axis LEFTX -1\n5 axis LEFTX 0\n"
                              "6 axis LEFTY 0.95\n7 axis LEFTY nan\n",
                              7);
    const std::vector<C> expected{C::None, C::None, C::Left, C::None, C::None, C::Down, C::None};
    EXPECT_EQ(got, expected);
}

TEST(MenuInputTest, ANewPressIsTheKeyOrPadInputJustPressedAndTellsWhichDeviceWasUsed) {
    auto keys = ScriptedKeySource::fromText("2 down G\n3 down PAD_Y\n4 axis RT 0.9\n5 axis LEFTX -0.8\n");
    MenuInput input(keys, keys);
    std::vector<std::optional<Bindings::Binding>> presses;
    std::vector<InputDevice> devices;
    for (uint32_t tick = 1; tick <= 6; ++tick) {
        keys.advanceTo(tick);
        input.poll();
        presses.push_back(input.newPress());
        devices.push_back(input.lastUsed());
    }
    using B = Bindings::Binding;
    const std::vector<std::optional<B>> expected{std::nullopt,
                                                 B(key::kG),
                                                 B(PadInput::button(PadButton::Y)),
                                                 B(PadInput::positive(PadAxis::RightTrigger)),
                                                 B(PadInput::negative(PadAxis::LeftX)),
                                                 std::nullopt};
    EXPECT_EQ(presses, expected);
    EXPECT_EQ(devices[1], InputDevice::Keyboard);
    EXPECT_EQ(devices[2], InputDevice::Pad);
    EXPECT_FALSE(input.pressed(key::kG)) << "held since tick 2";
}

// A key held when the menus are made is no fresh press.
TEST(MenuInputTest, WhatIsHeldAtTheStartIsNoPress) {
    auto keys = ScriptedKeySource::fromText("1 down RETURN\n");
    keys.advanceTo(1);
    MenuInput input(keys, keys);
    EXPECT_EQ(input.poll(), C::None);
    EXPECT_FALSE(input.newPress());
}

} // namespace
} // namespace qv
