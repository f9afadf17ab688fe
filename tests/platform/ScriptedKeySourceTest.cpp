#include "platform/ScriptedKeySource.h"
#include "core/FatalError.h"
#include "platform/KeyCodes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qv {
namespace {

TEST(ScriptedKeySourceTest, EventAtTickTIsInEffectFromTickTOn) {
    auto keys = ScriptedKeySource::fromText("3 down RETURN\n5 up RETURN\n");
    EXPECT_FALSE(keys.isDown(key::kReturn));
    keys.advanceTo(2);
    EXPECT_FALSE(keys.isDown(key::kReturn));
    keys.advanceTo(3);
    EXPECT_TRUE(keys.isDown(key::kReturn));
    keys.advanceTo(4);
    EXPECT_TRUE(keys.isDown(key::kReturn));
    keys.advanceTo(5);
    EXPECT_FALSE(keys.isDown(key::kReturn));
}

TEST(ScriptedKeySourceTest, SkippingTicksAppliesEverythingInBetween) {
    auto keys = ScriptedKeySource::fromText("1 down A\n2 down LEFT\n4 up A\n9 down SPACE\n");
    keys.advanceTo(6);
    EXPECT_FALSE(keys.isDown(key::kA));
    EXPECT_TRUE(keys.isDown(key::kLeft));
    EXPECT_FALSE(keys.isDown(key::kSpace));
    keys.advanceTo(2); // going back changes nothing
    EXPECT_TRUE(keys.isDown(key::kLeft));
    EXPECT_FALSE(keys.isDown(key::kA));
}

TEST(ScriptedKeySourceTest, CommentsBlankLinesSpacingAndCaseAreAccepted) {
    const std::string script = "# ride left, then jump\n"
                               "\n"
                               "   \t\n"
                               "  2   down\tleft   # steer\r\n"
                               "2 DOWN LShift\n"
                               "#7 down SPACE\n"
                               "10 Up left\n";
    auto keys = ScriptedKeySource::fromText(script);
    keys.advanceTo(2);
    EXPECT_TRUE(keys.isDown(key::kLeft));
    EXPECT_TRUE(keys.isDown(key::kLShift));
    keys.advanceTo(9);
    EXPECT_FALSE(keys.isDown(key::kSpace));
    keys.advanceTo(10);
    EXPECT_FALSE(keys.isDown(key::kLeft));
    EXPECT_TRUE(keys.isDown(key::kLShift));
}

TEST(ScriptedKeySourceTest, LinesOutOfTickOrderStillApplyByTick) {
    auto keys = ScriptedKeySource::fromText("8 up UP\n2 down UP\n5 down 7\n");
    keys.advanceTo(2);
    EXPECT_TRUE(keys.isDown(key::kUp));
    EXPECT_FALSE(keys.isDown(key::k7));
    keys.advanceTo(5);
    EXPECT_TRUE(keys.isDown(key::k7));
    keys.advanceTo(8);
    EXPECT_FALSE(keys.isDown(key::kUp));
}

TEST(ScriptedKeySourceTest, EventsOfOneTickApplyInWrittenOrder) {
    auto keys = ScriptedKeySource::fromText("4 down W\n4 up W\n4 up P\n4 down P\n1 down Z\n");
    keys.advanceTo(4);
    EXPECT_FALSE(keys.isDown(key::kW)) << "a down and up in one tick leaves the key up";
    EXPECT_TRUE(keys.isDown(key::kP));
    EXPECT_TRUE(keys.isDown(key::kZ));
}

// The window's focus comes and goes with the script; without it every key reads as up, and the
// keys still held come back with it.
TEST(ScriptedKeySourceTest, FocusLinesTakeAndGiveBackTheKeys) {
    auto keys = ScriptedKeySource::fromText("1 down F\n2 Focus LOST\n3 down P\n4 focus gained\n");
    keys.advanceTo(1);
    EXPECT_TRUE(keys.focused());
    EXPECT_TRUE(keys.isDown(key::kF));
    keys.advanceTo(3);
    EXPECT_FALSE(keys.focused());
    EXPECT_FALSE(keys.isDown(key::kF));
    EXPECT_FALSE(keys.isDown(key::kP));
    KeySource::KeyTable table;
    table.fill(true);
    keys.readAll(table);
    EXPECT_EQ(std::count(table.begin(), table.end(), true), 0);
    keys.advanceTo(4);
    EXPECT_TRUE(keys.focused());
    keys.readAll(table);
    EXPECT_TRUE(table[key::kF]);
    EXPECT_TRUE(table[key::kP]);
}

TEST(ScriptedKeySourceTest, BadLinesAreFatalAndNameTheirLine) {
    struct Case {
        std::string line;
        std::string complaint;
    };
    const Case cases[] = {
        {"3 down ENTERR", "unknown key \"ENTERR\""},
        {"3 down DIK_RETURN", "unknown key"},
        {"0 down A", "bad tick \"0\""},
        {"-1 down A", "bad tick"},
        {"x down A", "bad tick"},
        {"3x down A", "bad tick"},
        {"4294967296 down A", "bad tick"},
        {"3 press A", "bad verb \"press\""},
        {"3 down", "expected"},
        {"3 down A B", "expected"},
        {"down", "expected"},
        {"3 down PAD_Q", "unknown key \"PAD_Q\""},
        {"3 down PAD_LT", "unknown key"},
        {"3 axis LEFTZ 0.5", "unknown pad axis \"LEFTZ\""},
        {"3 axis LEFTX", "expected"},
        {"3 axis LEFTX half", "bad axis value \"half\""},
        {"3 axis LEFTX 0.5x", "bad axis value"},
        {"3 padconnect now", "expected"},
        {"3 plug", "bad verb \"plug\""},
        {"3 focus away", "bad focus \"away\""},
        {"3 focus", "expected"},
    };
    for (const Case& c : cases) {
        const std::string script = "# header\n1 down A\n" + c.line + "\n2 up A\n";
        try {
            ScriptedKeySource::fromText(script);
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const FatalError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind("ERROR : ", 0), 0u) << message;
            EXPECT_NE(message.find("line 3"), std::string::npos) << message;
            EXPECT_NE(message.find(c.complaint), std::string::npos) << message;
        }
    }
}

TEST(ScriptedKeySourceTest, PadLinesMoveThePadAndLeaveTheKeysAlone) {
    auto keys = ScriptedKeySource::fromText("1 down PAD_A\n1 axis LEFTX -0.6\n1 axis rt 1\n2 up pad_a\n"
                                            "2 Axis LeftTrigger 0.5\n");
    EXPECT_TRUE(keys.padState().connected) << "a pad is plugged in from the start";
    keys.advanceTo(1);
    PadState pad = keys.padState();
    EXPECT_TRUE(pad.held(PadButton::A));
    EXPECT_FLOAT_EQ(pad.axes[static_cast<size_t>(PadAxis::LeftX)], -0.6f);
    EXPECT_FLOAT_EQ(pad.axes[static_cast<size_t>(PadAxis::RightTrigger)], 1.0f);
    KeySource::KeyTable table{};
    keys.readAll(table);
    EXPECT_EQ(std::ranges::count(table, true), 0) << "PAD_A is no key";
    keys.advanceTo(2);
    pad = keys.padState();
    EXPECT_FALSE(pad.held(PadButton::A));
    EXPECT_FLOAT_EQ(pad.axes[static_cast<size_t>(PadAxis::LeftTrigger)], 0.5f);
}

TEST(ScriptedKeySourceTest, APulledOutPadHoldsNothingTakesNothingAndComesBackEmpty) {
    auto keys = ScriptedKeySource::fromText("1 down PAD_B\n1 axis LEFTY 1\n2 paddisconnect\n3 down PAD_X\n"
                                            "3 axis RIGHTX 1\n4 padconnect\n5 down PAD_Y\n");
    keys.advanceTo(2);
    EXPECT_FALSE(keys.padState().connected);
    keys.advanceTo(4);
    const PadState back = keys.padState();
    EXPECT_TRUE(back.connected);
    EXPECT_FALSE(back.held(PadButton::B)) << "held when pulled out, released when plugged in again";
    EXPECT_FALSE(back.held(PadButton::X)) << "pressed while out";
    EXPECT_EQ(back.axes, (std::array<float, kPadAxisCount>{}));
    keys.advanceTo(5);
    EXPECT_TRUE(keys.padState().held(PadButton::Y));
}

TEST(ScriptedKeySourceFileTest, ReadsAFileAndNamesItInErrors) {
    test::TempDir dir;
    auto keys = ScriptedKeySource::fromFile(dir.write("good.keys", "1 down ESCAPE\n"));
    keys.advanceTo(1);
    EXPECT_TRUE(keys.isDown(key::kEscape));

    const std::string bad = dir.write("bad.keys", "1 down ESCAPE\n\n2 down NOPE\n");
    try {
        ScriptedKeySource::fromFile(bad);
        ADD_FAILURE() << "accepted an unknown key";
    } catch (const FatalError& error) {
        EXPECT_NE(std::string(error.what()).find(bad + " line 3"), std::string::npos) << error.what();
    }

    const std::string missing = dir.file("missing.keys");
    try {
        ScriptedKeySource::fromFile(missing);
        ADD_FAILURE() << "accepted a missing file";
    } catch (const FatalError& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace qv
