#include "app/Settings.h"
#include "game/GameState.h"
#include "platform/KeyCodes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace qv {
namespace {

TEST(Settings, MissingFileSectionOrKeyGivesTheDefault) {
    test::TempDir dir;
    Settings missing(dir.file("Pedalon.ini"));
    EXPECT_EQ(missing.readInt("PERFORMANCE", "SIGHTRANGE", 15), 15);

    Settings settings(dir.write("Pedalon.ini", "[EFFECT]\nFOG=2\n"));
    EXPECT_EQ(settings.readInt("EFFECT", "FOG", 1), 2);
    EXPECT_EQ(settings.readInt("EFFECT", "RIPPLE", 1), 1);
    EXPECT_EQ(settings.readInt("SCREENMODE", "WIDTH", 640), 640);
}

TEST(Settings, KeysBelongToTheirOwnSectionOnly) {
    test::TempDir dir;
    Settings settings(dir.write("Pedalon.ini", "[SCREENMODE]\nWIDTH=800\n[EFFECT]\nCOLOR=0\n"));
    EXPECT_EQ(settings.readInt("SCREENMODE", "WIDTH", 640), 800);
    EXPECT_EQ(settings.readInt("EFFECT", "WIDTH", 5), 5);
    EXPECT_EQ(settings.readInt("SCREENMODE", "COLOR", 1), 1);
    EXPECT_EQ(settings.readInt("EFFECT", "COLOR", 1), 0);
}

TEST(Settings, NamesIgnoreCaseAndWhiteSpaceAndCommentsAreSkipped) {
    test::TempDir dir;
    Settings settings(
        dir.write("Pedalon.ini", "; a comment\n  [ Effect ]  \r\n  fog =  -1 \r\n# FOG=7\nSplash=+0\n"));
    EXPECT_EQ(settings.readInt("EFFECT", "FOG", 1), -1);
    EXPECT_EQ(settings.readInt("EFFECT", "SPLASH", 1), 0);
}

TEST(Settings, MalformedValuesGiveTheDefault) {
    test::TempDir dir;
    Settings settings(dir.write("Pedalon.ini",
                                "[A]\nEMPTY=\nWORD=abc\nTRAIL=12abc\nHUGE=99999999999\nHEX=0x10\n"
                                "NOEQ\n[broken\nX=3\n"));
    for (const char* key : {"EMPTY", "WORD", "TRAIL", "HUGE", "HEX"})
        EXPECT_EQ(settings.readInt("A", key, 42), 42) << key;
    // A broken section header ends the previous section.
    EXPECT_EQ(settings.readInt("A", "X", 9), 9);
}

TEST(Settings, AnEditTakesEffectAtTheNextRead) {
    test::TempDir dir;
    Settings settings(dir.write("Pedalon.ini", "[EFFECT]\nFOG=1\n"));
    EXPECT_EQ(settings.readInt("EFFECT", "FOG", 0), 1);
    dir.write("Pedalon.ini", "[EFFECT]\nFOG=0\n");
    EXPECT_EQ(settings.readInt("EFFECT", "FOG", 1), 0);
}

TEST(Settings, AStringIsTheValueAsWrittenWithoutTheSpaceAroundIt) {
    test::TempDir dir;
    Settings settings(
        dir.write("Pedalon.ini", "[Controls]\n pedal =  G, PAD_A \r\nEMPTY=\n[OTHER]\nJUMP=X\n"));
    EXPECT_EQ(settings.readString("CONTROLS", "PEDAL"), "G, PAD_A");
    EXPECT_EQ(settings.readString("CONTROLS", "EMPTY"), "");
    EXPECT_EQ(settings.readString("CONTROLS", "JUMP"), std::nullopt);
    EXPECT_EQ(Settings(dir.file("missing.ini")).readString("CONTROLS", "PEDAL"), std::nullopt);
}

// --- the controls ---

class ControlSettingsTest : public ::testing::Test {
  protected:
    Bindings read(const std::string& text) {
        warnings.str("");
        return Settings(dir.write("Pedalon.ini", text)).bindings(warnings);
    }

    test::TempDir dir;
    std::ostringstream warnings;
};

TEST_F(ControlSettingsTest, WithoutAControlsSectionEveryActionKeepsItsDefaultsSilently) {
    const Bindings bindings = read("[EFFECT]\nFOG=0\nPEDAL=G\n");
    const Bindings defaults = Bindings::defaults();
    for (GameAction action : allGameActions())
        EXPECT_EQ(bindings.of(action), defaults.of(action)) << gameActionName(action);
    EXPECT_EQ(warnings.str(), "");
}

TEST_F(ControlSettingsTest, AnActionTakesTheKeysAndPadInputsItsLineNamesAndOnlyThose) {
    const Bindings bindings = read("[CONTROLS]\nPEDAL=G, PAD_Y\njump = space,g\nPause=PAD_START\n");
    EXPECT_EQ(bindings.of(GameAction::Pedal), (Bindings::List{key::kG, PadInput::button(PadButton::Y)}));
    EXPECT_EQ(bindings.of(GameAction::Jump), (Bindings::List{key::kSpace, key::kG}));
    EXPECT_EQ(bindings.of(GameAction::Pause), (Bindings::List{PadInput::button(PadButton::Start)}));
    EXPECT_EQ(bindings.of(GameAction::Brake), Bindings::defaults().of(GameAction::Brake));
    EXPECT_EQ(warnings.str(), "");
}

TEST_F(ControlSettingsTest, AnUnknownNameIsToldOnceAndTheActionKeepsItsDefault) {
    const Bindings bindings = read("[CONTROLS]\nPEDAL=G, PAD_Q\nBOOST=\nPEDDAL=G\nJUMP=PAD_X\n");
    EXPECT_EQ(bindings.of(GameAction::Pedal), Bindings::defaults().of(GameAction::Pedal));
    EXPECT_EQ(bindings.of(GameAction::Boost), Bindings::defaults().of(GameAction::Boost));
    EXPECT_EQ(bindings.of(GameAction::Jump), (Bindings::List{PadInput::button(PadButton::X)}));
    const std::string said = warnings.str();
    EXPECT_NE(
        said.find("[CONTROLS] PEDAL: no key or pad button is called \"PAD_Q\"; PEDAL keeps F, C, PAD_A"),
        std::string::npos)
        << said;
    EXPECT_NE(said.find("BOOST: no key or pad button is called \"\""), std::string::npos) << said;
    EXPECT_NE(said.find("PEDDAL: no such action"), std::string::npos) << said;
    EXPECT_EQ(std::ranges::count(said, '\n'), 3) << said;
}

// M, F9, F12 and Print Screen are the game's own (mute, frame times, screenshot): bound to an
// action they would do both, so such a line is refused like an unknown name.
TEST_F(ControlSettingsTest, TheGamesOwnKeysCannotBeBound) {
    const Bindings bindings = read("[CONTROLS]\nPEDAL=G, M\nJUMP=F12\nBOOST=SYSRQ\nBRAKE=F9\nPAUSE=F8\n");
    for (GameAction action : {GameAction::Pedal, GameAction::Jump, GameAction::Boost, GameAction::Brake})
        EXPECT_EQ(bindings.of(action), Bindings::defaults().of(action)) << gameActionName(action);
    EXPECT_EQ(bindings.of(GameAction::Pause), (Bindings::List{key::kF8}));
    const std::string said = warnings.str();
    EXPECT_NE(said.find("PEDAL: M is the game's own key"), std::string::npos) << said;
    EXPECT_NE(said.find("; PEDAL keeps F, C, PAD_A"), std::string::npos) << said;
    EXPECT_EQ(std::ranges::count(said, '\n'), 4) << said;
}

TEST_F(ControlSettingsTest, TheFirstLineForAnActionWinsAsEverywhereInTheFile) {
    const Bindings bindings = read("[CONTROLS]\nPEDAL=G\npedal=H\n[CONTROLS]\nPEDAL=J\n");
    EXPECT_EQ(bindings.of(GameAction::Pedal), (Bindings::List{key::kG}));
    EXPECT_EQ(warnings.str(), "");
}

TEST(GameState, SightRangeIsClampedToEightToHundred) {
    EXPECT_EQ(GameState::clampSightRange(3), 8);
    EXPECT_EQ(GameState::clampSightRange(5), 8);
    EXPECT_EQ(GameState::clampSightRange(15), 15);
    EXPECT_EQ(GameState::clampSightRange(250), 100);
}

TEST(GameState, ResetRestoresStartValuesButKeepsTheGenerator) {
    GameState state;
    state.random.seed(7);
    state.random.next();
    uint32_t generator = state.random.state();
    state.stageNumber = 4;
    state.gameMode = GameMode::Stages;
    state.stageCleared = state.demoMode = state.introDone = true;
    state.stageClearWait = 50;
    state.goalsInStage = 3;
    state.reset();
    EXPECT_EQ(state.stageNumber, 0u);
    EXPECT_EQ(state.gameMode, GameMode::Endless);
    EXPECT_FALSE(state.stageCleared || state.demoMode || state.introDone);
    EXPECT_EQ(state.stageClearWait, 0);
    EXPECT_EQ(state.goalsInStage, 0u);
    EXPECT_EQ(state.random.state(), generator);
}

TEST(Random, FollowsTheClassicSequence) {
    // Seed 1 of the classic generator: 41, 18467, 6334, 26500, 19169.
    Random random(1);
    EXPECT_EQ(random.next(), 41);
    EXPECT_EQ(random.next(), 18467);
    EXPECT_EQ(random.next(), 6334);
    EXPECT_EQ(random.next(), 26500);
    EXPECT_EQ(random.next(), 19169);
    Random other(12345);
    for (int i = 0; i < 10000; ++i) {
        int v = other.next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, Random::kMax);
    }
}

// What stands at the settings file's name may be no file at all: a pipe (which blocked the game
// for ever), a link to an endless device (read until memory ran out), a file of gigabytes (read
// whole for every key). Each reads as missing: every default, at once.
TEST(Settings, APipeAnEndlessDeviceOrAHugeFileReadsAsMissing) {
    test::TempDir dir;
    const std::string pipe = dir.file("pipe.ini");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string endless = dir.file("zero.ini");
    std::filesystem::create_symlink("/dev/zero", endless);
    const std::string huge = dir.write("huge.ini", "[SOUND]\nMUSIC=7\n");
    std::filesystem::resize_file(huge, uint64_t{2} << 30);
    for (const std::string& path : {pipe, endless, huge}) {
        const Settings settings(path);
        EXPECT_EQ(settings.read(setting::kMusicVolume), 100) << path;
        std::string error;
        EXPECT_FALSE(settings.write("SOUND", "MUSIC", "5", error)) << path;
    }
    EXPECT_EQ(std::filesystem::file_size(huge), uint64_t{2} << 30) << "left as it was";
}

} // namespace
} // namespace qv
