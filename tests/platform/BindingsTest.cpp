#include "platform/Bindings.h"
#include "platform/KeyCodes.h"
#include "platform/PadState.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using List = Bindings::List;

TEST(BindingsTest, AListNamesKeysAndPadInputsWhateverTheCaseAndSpacing) {
    std::string unknown;
    auto list = Bindings::parse(" f ,PAD_a,  pad_lstick_left\t, Return,pgdn", unknown);
    ASSERT_TRUE(list) << unknown;
    const List expected{key::kF, PadInput::button(PadButton::A), PadInput::negative(PadAxis::LeftX),
                        key::kReturn, key::kNext};
    EXPECT_EQ(*list, expected);
    EXPECT_EQ(Bindings::describe(*list), "F, PAD_A, PAD_LSTICK_LEFT, RETURN, NEXT");
}

TEST(BindingsTest, AListWithANameThatIsNeitherKeyNorPadInputIsRefusedNamingIt) {
    struct Case {
        const char* text;
        const char* unknown;
    };
    const Case cases[] = {
        {"F, FOO, PAD_A", "FOO"}, {"PAD_Z", "PAD_Z"}, {"", ""},          {"F,,C", ""}, {"F,", ""},
        {"PAD_", "PAD_"},         {"F C", "F C"},     {"DIK_F", "DIK_F"}};
    for (const Case& c : cases) {
        std::string unknown = "?";
        EXPECT_FALSE(Bindings::parse(c.text, unknown)) << c.text;
        EXPECT_EQ(unknown, c.unknown) << c.text;
    }
}

TEST(BindingsTest, EveryDefaultDescribesItselfInNamesThatReadBackTheSame) {
    const Bindings defaults = Bindings::defaults();
    for (GameAction action : allGameActions()) {
        const List& list = defaults.of(action);
        ASSERT_FALSE(list.empty()) << gameActionName(action);
        std::string unknown;
        auto again = Bindings::parse(Bindings::describe(list), unknown);
        ASSERT_TRUE(again) << gameActionName(action) << ": " << unknown;
        EXPECT_EQ(*again, list) << gameActionName(action);
    }
    EXPECT_EQ(Bindings::describe(defaults.of(GameAction::Boost)), "UP, A, Z, PAD_RB, PAD_RT");
}

TEST(BindingsTest, ActionNamesReadBackAndIgnoreCase) {
    for (GameAction action : allGameActions())
        EXPECT_EQ(gameActionFromName(gameActionName(action)), action) << gameActionName(action);
    EXPECT_EQ(gameActionFromName("backPedal"), GameAction::BackPedal);
    EXPECT_EQ(gameActionFromName("camera6"), GameAction::Camera6);
    EXPECT_FALSE(gameActionFromName("CAMERA7"));
    EXPECT_FALSE(gameActionFromName("PEDDAL"));
}

// --- how far a pad input is pushed ---

float pushed(PadInput input, float axis) {
    PadState pad{.connected = true};
    pad.axes[input.index] = axis;
    return pad.value(input);
}

TEST(PadStateTest, SticksAndTriggersCountOnlyPastTheirDeadZonesAndReachOneAtTheEnd) {
    const PadInput stickLeft = PadInput::negative(PadAxis::LeftX);
    EXPECT_EQ(pushed(stickLeft, -0.25f), 0.0f);
    EXPECT_NEAR(pushed(stickLeft, -0.4375f), 0.25f, 1e-6f);
    EXPECT_EQ(pushed(stickLeft, -1.0f), 1.0f);
    EXPECT_EQ(pushed(stickLeft, 0.9f), 0.0f) << "pushed the other way";

    const PadInput trigger = PadInput::positive(PadAxis::RightTrigger);
    EXPECT_EQ(pushed(trigger, 0.29f), 0.0f) << "a trigger resting slightly in";
    EXPECT_NEAR(pushed(trigger, 0.65f), 0.5f, 1e-6f);
    EXPECT_EQ(pushed(trigger, 1.0f), 1.0f);
}

} // namespace
} // namespace qv
