#include "platform/KeyboardInput.h"
#include "platform/KeyCodes.h"
#include "platform/ScriptedKeySource.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(KeyboardInputTest, HeldActionIsFirstSeenByThePollAfterItsKeyGoesDown) {
    auto keys = ScriptedKeySource::fromText("1 down RETURN\n3 up RETURN\n");
    KeyboardInput input(keys, keys);

    keys.advanceTo(1);
    EXPECT_FALSE(input.held(GameAction::Enter)) << "the snapshot changes only when polled";
    EXPECT_TRUE(input.asyncHeld(GameAction::Enter)) << "immediate actions read the live source";
    input.poll();
    EXPECT_TRUE(input.held(GameAction::Enter));
    EXPECT_EQ(input.value(GameAction::Enter), 1.0f);
    EXPECT_FALSE(input.held(GameAction::Left));

    keys.advanceTo(2);
    input.poll();
    EXPECT_TRUE(input.held(GameAction::Enter));
    keys.advanceTo(3);
    EXPECT_TRUE(input.held(GameAction::Enter));
    input.poll();
    EXPECT_FALSE(input.held(GameAction::Enter));
}

// The keys each action has always had: the defaults must keep them, and only them.
struct OldKeys {
    GameAction action;
    std::vector<uint8_t> keys;
};

const std::vector<OldKeys>& oldKeys() {
    static const std::vector<OldKeys> table = {
        {GameAction::Pedal, {key::kF, key::kC}},
        {GameAction::Brake, {key::kD, key::kX}},
        {GameAction::BackPedal, {key::kR, key::kV}},
        {GameAction::Jump, {key::kSpace, key::kLShift}},
        {GameAction::Boost, {key::kUp, key::kA, key::kZ}},
        {GameAction::Left, {key::kLeft}},
        {GameAction::Right, {key::kRight}},
        {GameAction::Pause, {key::kW, key::kP}},
        {GameAction::Camera0, {key::k0}},
        {GameAction::Camera1, {key::k1}},
        {GameAction::Camera2, {key::k2}},
        {GameAction::Camera3, {key::k3}},
        {GameAction::Camera4, {key::k4}},
        {GameAction::Camera5, {key::k5}},
        {GameAction::Camera6, {key::k6}},
        {GameAction::Enter, {key::kReturn}},
        {GameAction::Quit, {key::kEscape}},
    };
    return table;
}

// A source that holds one key and answers key by key only (no table of its own).
class OneKeyDown : public KeySource {
  public:
    explicit OneKeyDown(uint8_t code) : code_(code) {}
    bool isDown(uint8_t code) const override { return code == code_; }

  private:
    uint8_t code_;
};

TEST(KeyboardInputTest, EveryKeyOfTheKeyboardDoesWhatItAlwaysDidAndNothingElse) {
    ASSERT_EQ(oldKeys().size(), kGameActionCount);
    const ScriptedKeySource noPad = ScriptedKeySource::fromText("");
    for (int code = 0; code < 256; ++code) {
        OneKeyDown keys(static_cast<uint8_t>(code));
        KeyboardInput input(keys, noPad);
        input.poll();
        for (const OldKeys& old : oldKeys()) {
            const bool bound = std::ranges::find(old.keys, code) != old.keys.end();
            EXPECT_EQ(input.held(old.action), bound) << gameActionName(old.action) << " key " << code;
            EXPECT_EQ(input.asyncHeld(old.action), bound) << gameActionName(old.action) << " key " << code;
        }
    }
}

TEST(KeyboardInputTest, UnacquireReadsEveryActionUp) {
    auto keys = ScriptedKeySource::fromText("1 down LEFT\n1 down SPACE\n1 down PAD_A\n");
    KeyboardInput input(keys, keys);
    keys.advanceTo(1);
    input.poll();
    ASSERT_TRUE(input.held(GameAction::Left));
    ASSERT_TRUE(input.held(GameAction::Jump));
    ASSERT_TRUE(input.held(GameAction::Pedal));
    input.unacquire();
    for (GameAction action : allGameActions())
        EXPECT_FALSE(input.held(action)) << gameActionName(action);
}

// --- the pad ---

TEST(KeyboardInputTest, ThePadPlaysTheRacingLayout) {
    struct Case {
        const char* line;
        GameAction action;
    };
    const Case cases[] = {
        {"down PAD_A", GameAction::Pedal},        {"down PAD_B", GameAction::Brake},
        {"down PAD_X", GameAction::Jump},         {"down PAD_RB", GameAction::Boost},
        {"axis RT 1", GameAction::Boost},         {"axis LT 1", GameAction::BackPedal},
        {"down PAD_DPAD_LEFT", GameAction::Left}, {"down PAD_DPAD_RIGHT", GameAction::Right},
        {"axis LEFTX -1", GameAction::Left},      {"axis LEFTX 1", GameAction::Right},
        {"down PAD_START", GameAction::Enter},    {"down PAD_BACK", GameAction::Pause},
    };
    for (const Case& c : cases) {
        auto keys = ScriptedKeySource::fromText(std::string("1 ") + c.line + "\n");
        KeyboardInput input(keys, keys);
        keys.advanceTo(1);
        input.poll();
        for (GameAction action : allGameActions())
            EXPECT_EQ(input.held(action), action == c.action) << c.line << ": " << gameActionName(action);
        EXPECT_TRUE(input.asyncHeld(c.action)) << c.line;
    }
}

TEST(KeyboardInputTest, NoPadButtonQuits) {
    std::string script;
    for (const char* button : {"PAD_A", "PAD_B", "PAD_X", "PAD_Y", "PAD_BACK", "PAD_GUIDE", "PAD_START",
                               "PAD_L3", "PAD_R3", "PAD_LB", "PAD_RB", "PAD_DPAD_UP", "PAD_DPAD_DOWN"})
        script += std::string("1 down ") + button + "\n";
    for (const char* axis : {"LEFTX", "LEFTY", "RIGHTX", "RIGHTY", "LT", "RT"})
        script += std::string("1 axis ") + axis + " 1\n2 axis " + axis + " -1\n";
    auto keys = ScriptedKeySource::fromText(script);
    KeyboardInput input(keys, keys);
    for (uint32_t tick : {1u, 2u}) {
        keys.advanceTo(tick);
        EXPECT_FALSE(input.asyncHeld(GameAction::Quit)) << "tick " << tick;
    }
}

TEST(KeyboardInputTest, TheStickSteersByHowFarItIsPushedPastTheDeadZone) {
    auto keys = ScriptedKeySource::fromText("1 axis LEFTX -0.2\n2 axis LEFTX -0.625\n3 axis LEFTX 1\n"
                                            "4 axis LEFTX 0.24\n5 down LEFT\n");
    KeyboardInput input(keys, keys);
    const float expected[] = {0.0f, 0.5f, -1.0f, 0.0f, 1.0f};
    for (uint32_t tick = 1; tick <= 5; ++tick) {
        keys.advanceTo(tick);
        input.poll();
        EXPECT_NEAR(input.steering(), expected[tick - 1], 1e-6f) << "tick " << tick;
        EXPECT_EQ(input.held(GameAction::Left), expected[tick - 1] > 0.0f) << "tick " << tick;
        EXPECT_EQ(input.held(GameAction::Right), expected[tick - 1] < 0.0f) << "tick " << tick;
    }
}

TEST(KeyboardInputTest, GarbageAxesReadAsRestOrFullAndNeverAsSomethingElse) {
    auto keys = ScriptedKeySource::fromText("1 axis LEFTX nan\n1 axis LT inf\n1 axis RT -inf\n"
                                            "2 axis LEFTX -40000\n2 axis LT 3e38\n2 axis RT -2\n");
    KeyboardInput input(keys, keys);
    keys.advanceTo(1);
    input.poll();
    EXPECT_EQ(input.steering(), 0.0f);
    EXPECT_FALSE(input.held(GameAction::BackPedal));
    EXPECT_FALSE(input.held(GameAction::Boost));
    keys.advanceTo(2);
    input.poll();
    EXPECT_EQ(input.steering(), 1.0f) << "beyond the end is the end";
    EXPECT_EQ(input.value(GameAction::BackPedal), 1.0f);
    EXPECT_FALSE(input.held(GameAction::Boost)) << "a trigger pushed the wrong way is at rest";
}

TEST(KeyboardInputTest, APulledOutPadLetsGoOfEverythingAndPlaysAgainOncePluggedIn) {
    auto keys = ScriptedKeySource::fromText("1 down PAD_A\n1 axis LEFTX -1\n2 paddisconnect\n3 down PAD_A\n"
                                            "4 padconnect\n5 down PAD_A\n");
    KeyboardInput input(keys, keys);
    const bool pedal[] = {true, false, false, false, true};
    const float steer[] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    for (uint32_t tick = 1; tick <= 5; ++tick) {
        keys.advanceTo(tick);
        input.poll();
        EXPECT_EQ(input.held(GameAction::Pedal), pedal[tick - 1]) << "tick " << tick;
        EXPECT_EQ(input.steering(), steer[tick - 1]) << "tick " << tick;
    }
}

// --- rebinding and the overlay ---

TEST(KeyboardInputTest, ReboundActionsFollowTheirNewKeysOnly) {
    Bindings bindings = Bindings::defaults();
    bindings.set(GameAction::Pedal, {key::kG, PadInput::button(PadButton::Y)});
    bindings.set(GameAction::Jump, {key::kG});
    auto keys = ScriptedKeySource::fromText("1 down F\n2 up F\n2 down G\n3 up G\n3 down PAD_Y\n4 up PAD_Y\n"
                                            "4 down PAD_A\n");
    KeyboardInput input(keys, keys, bindings);
    const bool pedal[] = {false, true, true, false};
    const bool jump[] = {false, true, false, false};
    for (uint32_t tick = 1; tick <= 4; ++tick) {
        keys.advanceTo(tick);
        input.poll();
        EXPECT_EQ(input.held(GameAction::Pedal), pedal[tick - 1]) << "tick " << tick;
        EXPECT_EQ(input.held(GameAction::Jump), jump[tick - 1]) << "tick " << tick;
    }
}

class HoldsBoost : public ActionOverlay {
  public:
    bool holds(GameAction action) const override { return action == GameAction::Boost; }
};

TEST(KeyboardInputTest, TheOverlayAddsItsActionsToThePlayers) {
    auto keys = ScriptedKeySource::fromText("1 down F\n");
    HoldsBoost bot;
    KeyboardInput input(keys, keys, Bindings::defaults(), &bot);
    keys.advanceTo(1);
    input.poll();
    EXPECT_TRUE(input.held(GameAction::Boost));
    EXPECT_TRUE(input.asyncHeld(GameAction::Boost));
    EXPECT_TRUE(input.held(GameAction::Pedal));
    EXPECT_FALSE(input.held(GameAction::Jump));
}

} // namespace
} // namespace qv
