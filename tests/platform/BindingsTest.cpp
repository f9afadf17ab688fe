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

// A new binding takes the place of the action's first of its kind; one held by another action
// is swapped, never doubled; one the action already has moves to the front.
TEST(BindingsTest, AssigningABindingReplacesTheFirstOfItsKindAndSwapsWithTheActionThatHadIt) {
    Bindings b = Bindings::defaults();
    const PadInput padA = PadInput::button(PadButton::A);
    const PadInput padB = PadInput::button(PadButton::B);

    EXPECT_EQ(b.assign(GameAction::Pedal, key::kG), std::nullopt);
    EXPECT_EQ(b.of(GameAction::Pedal), (List{key::kG, key::kC, padA}));

    // D is Brake's: Brake takes G, Pedal's first key until now.
    EXPECT_EQ(b.assign(GameAction::Pedal, key::kD), GameAction::Brake);
    EXPECT_EQ(b.of(GameAction::Pedal), (List{key::kD, key::kC, padA}));
    EXPECT_EQ(b.of(GameAction::Brake), (List{key::kG, key::kX, padB}));

    // A pad button swaps among pad inputs and leaves the keys alone.
    EXPECT_EQ(b.assign(GameAction::Pedal, padB), GameAction::Brake);
    EXPECT_EQ(b.of(GameAction::Pedal), (List{key::kD, key::kC, padB}));
    EXPECT_EQ(b.of(GameAction::Brake), (List{key::kG, key::kX, padA}));

    // The action's own second key moves to the front and nobody else changes.
    const Bindings before = b;
    EXPECT_EQ(b.assign(GameAction::Pedal, key::kC), std::nullopt);
    EXPECT_EQ(b.of(GameAction::Pedal), (List{key::kC, key::kD, padB}));
    for (GameAction other : allGameActions()) {
        if (other != GameAction::Pedal) {
            EXPECT_EQ(b.of(other), before.of(other)) << gameActionName(other);
        }
    }
}

TEST(BindingsTest, AnActionWithoutBindingsOfAKindTakesOneAndTheOwnerWithTheSameGivesItUp) {
    Bindings b = Bindings::defaults();
    // Camera 1 has no pad input; Jump's X goes to it, and Jump keeps its keys only.
    EXPECT_EQ(b.assign(GameAction::Camera1, PadInput::button(PadButton::X)), GameAction::Jump);
    EXPECT_EQ(b.of(GameAction::Camera1), (List{key::k1, PadInput::button(PadButton::X)}));
    EXPECT_EQ(b.of(GameAction::Jump), (List{key::kSpace, key::kLShift}));
    // A key two actions share (a hand-written file may do that) leaves both for the new one; the
    // first takes the new one's old key.
    b.set(GameAction::Camera2, {key::kQ});
    b.set(GameAction::Camera3, {key::kQ, key::k3});
    EXPECT_EQ(b.assign(GameAction::Camera4, key::kQ), GameAction::Camera2);
    EXPECT_EQ(b.of(GameAction::Camera2), (List{key::k4}));
    EXPECT_EQ(b.of(GameAction::Camera3), (List{key::k3}));
    EXPECT_EQ(b.of(GameAction::Camera4), (List{key::kQ}));
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
