#include "app/MenuScreens.h"
#include "app/DisplayExtras.h"
#include "app/GameDirector.h"
#include "app/ReplayWatch.h"
#include "assets/DataFiles.h"
#include "assets/ScreenshotFolder.h"
#include "core/FilePaths.h"
#include "menu/MenuView.h"
#include "platform/KeyCodes.h"
#include "race/ScoreFile.h"
#include "rider/Rider.h"
#include "scene/Scene.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

namespace qv {
namespace {

// The title screen shows from tick 291 on, after the logo.
constexpr uint32_t kTitle = 300;

// The game's director with its screens over the headless back ends, driven by a key script as
// the main loop drives it: the quit key is asked for before every tick.
class MenuRig {
  public:
    explicit MenuRig(const std::string& script, const std::string& settingsPath = "./Pedalon.ini")
        : rig(script), settings(settingsPath) {}

    void runUntil(uint32_t last) {
        while (ticks < last && director.running()) {
            rig.keysFor(++ticks);
            if (director.quitAsked())
                quitAt = quitAt ? quitAt : ticks;
            director.tick();
        }
    }
    // The lines of the open page as drawn.
    std::string shown() const {
        std::string text = menus.stack().top().title() + "\n";
        for (const std::u32string& line : MenuView::body(menus.stack().top()).lines)
            text += std::string(line.begin(), line.end()) + "\n";
        return text;
    }
    std::string chosen() const { return menus.stack().top().items()[menus.stack().top().selected()].label; }
    std::string file() const {
        std::string text;
        readFile(settings.path(), text);
        return text;
    }

    test::HeadlessRig rig;
    Settings settings;
    PlayerFiles files;
    ScreenshotFolder folder{rig.path("screenshots")};
    std::ostringstream log;
    DisplayExtras extras{rig.clock, folder, log};
    MenuInput input{rig.keys, rig.keys};
    MenuScreens menus{input, extras, {settings, rig.sound, rig.keyboard, extras, nullptr, files, false}};
    GameDirector director{rig.graphics, rig.sound, rig.keyboard, rig.clock, rig.state,
                          rig.settings, log,       files,        &menus};
    uint32_t ticks = 0;
    uint32_t quitAt = 0;
};

// "T down KEY" and "T+1 up KEY" for each press, one every ten ticks from `from` on.
std::string presses(uint32_t from, std::initializer_list<const char*> keys) {
    std::string script;
    for (const char* key : keys) {
        script +=
            std::to_string(from) + " down " + key + "\n" + std::to_string(from + 1) + " up " + key + "\n";
        from += 10;
    }
    return script;
}

const char* const kMessy = "; my own settings\n"
                           "[SOUND]\n"
                           "MUSIC = 100   \n"
                           "# the effects are too loud\n"
                           "EFFECTS=70\n"
                           "[MINE]\n"
                           "COLOUR=blue\n";

TEST(MenuScreensTest, OptionsFromTheTitleSaveAtOnceKeepTheFileAndEscapeGoesBackWithoutQuitting) {
    // O, then Sound; music down twice, effects up once; back, back; then Escape on the title.
    MenuRig m(presses(
        kTitle, {"O", "DOWN", "RETURN", "LEFT", "LEFT", "DOWN", "RIGHT", "ESCAPE", "ESCAPE", "ESCAPE"}));
    m.rig.dir.write("Pedalon.ini", kMessy);
    m.runUntil(kTitle + 45);
    ASSERT_TRUE(m.menus.isOpen());
    EXPECT_EQ(m.shown(), "SOUND\nMusic volume     < 80 >\nEffects volume     70\nBack\n");
    m.runUntil(kTitle + 65);
    EXPECT_EQ(m.rig.sound.levels().volume(SoundGroup::Music), 80);
    EXPECT_EQ(m.rig.sound.levels().volume(SoundGroup::Effects), 80);
    EXPECT_EQ(m.file(), "; my own settings\n[SOUND]\nMUSIC = 80   \n# the effects are too loud\nEFFECTS=80\n"
                        "[MINE]\nCOLOUR=blue\n");
    // Each change played its sample; the music sample stopped when the page closed.
    EXPECT_GE(m.rig.sound.playCount(data::kMusic), 1u);
    EXPECT_EQ(m.rig.sound.playCount(data::kJumpSound), 1u);
    EXPECT_EQ(m.rig.sound.stopCount(data::kMusic), 0u);
    m.runUntil(kTitle + 89);
    EXPECT_GE(m.rig.sound.stopCount(data::kMusic), 1u);
    EXPECT_FALSE(m.menus.isOpen());
    EXPECT_EQ(m.quitAt, 0u) << "Escape on the options screen must not quit";
    EXPECT_EQ(m.rig.state.gameMode, GameMode::Endless) << "Left and Right in the menu changed the mode";
    EXPECT_EQ(m.director.state(), GameDirector::Attract);
    m.runUntil(kTitle + 95);
    EXPECT_EQ(m.quitAt, kTitle + 90) << "Escape on the title screen quits";
}

TEST(MenuScreensTest, ARebindingThatTakesAnotherActionsKeySwapsShowsItAndSavesBoth) {
    // Controls, Pedal, then D (Brake's); Brake, then Escape cancels; Reset to defaults.
    MenuRig m(presses(kTitle, {"O", "DOWN", "DOWN", "RETURN", "RETURN", "D", "DOWN", "RETURN", "ESCAPE"}));
    const std::string longLine(100000, 'x');
    m.rig.dir.write("Pedalon.ini",
                    "[CONTROLS]\nJUMP=NO_SUCH_KEY\n;" + longLine + "\n[CONTROLS]\nCAMERA1=9\n");
    // The file with its long line shortened, so a failure prints something readable.
    auto file = [&] {
        std::string text = m.file();
        const size_t at = text.find(longLine);
        return at == std::string::npos ? text : text.replace(at, longLine.size(), "<long line>");
    };
    m.rig.keyboard.setBindings(m.settings.bindings(m.log)); // as the game starts with them
    m.runUntil(kTitle + 55);
    EXPECT_NE(m.menus.stack().status().find("Pedal: D (taken from Brake, which now has F, X, B)"),
              std::string::npos)
        << m.menus.stack().status();
    const Bindings& now = m.rig.keyboard.bindings();
    EXPECT_EQ(Bindings::describe(now.of(GameAction::Pedal)), "D, C, PAD_A");
    EXPECT_EQ(Bindings::describe(now.of(GameAction::Brake)), "F, X, PAD_B");
    // The first [CONTROLS] section takes both at its end; the bad line, the long one and the
    // later section stay as they were.
    EXPECT_EQ(file(), "[CONTROLS]\nJUMP=NO_SUCH_KEY\n;<long line>\nPEDAL=D, C, PAD_A\nBRAKE=F, X, PAD_B\n"
                      "[CONTROLS]\nCAMERA1=9\n");

    m.runUntil(kTitle + 95);
    ASSERT_TRUE(m.menus.isOpen()) << "Escape while choosing a key cancels only the choice";
    EXPECT_EQ(m.chosen(), "Brake");
    EXPECT_EQ(Bindings::describe(m.rig.keyboard.bindings().of(GameAction::Brake)), "F, X, PAD_B");

    // Up twice from Brake: past Pedal round to "Back", then "Reset to defaults".
    m.rig.keys = ScriptedKeySource::fromText(presses(kTitle + 100, {"UP", "UP", "UP", "RETURN"}));
    m.runUntil(kTitle + 135);
    EXPECT_EQ(m.chosen(), "Reset to defaults");
    EXPECT_EQ(Bindings::describe(m.rig.keyboard.bindings().of(GameAction::Pedal)), "F, C, PAD_A");
    EXPECT_EQ(file(), "[CONTROLS]\nJUMP=NO_SUCH_KEY\n;<long line>\nPEDAL=F, C, PAD_A\nBRAKE=D, X, PAD_B\n"
                      "[CONTROLS]\nCAMERA1=1\n");
}

TEST(MenuScreensTest, TheGamesOwnKeysCannotBeBound) {
    MenuRig m(presses(kTitle, {"O", "DOWN", "DOWN", "RETURN", "RETURN", "M"}));
    m.runUntil(kTitle + 55);
    EXPECT_NE(m.menus.stack().status().find("M is the game's own key"), std::string::npos);
    EXPECT_EQ(Bindings::describe(m.rig.keyboard.bindings().of(GameAction::Pedal)), "F, C, PAD_A");
    EXPECT_EQ(m.file(), "");
}

// The settings file is a folder, or its folder cannot be made: the screen says so and the
// change holds for the session.
TEST(MenuScreensTest, ASettingsFileThatCannotBeWrittenIsToldAndTheChangeStillHolds) {
    for (const char* path : {"./Pedalon.ini", "./blocker/Pedalon.ini"}) {
        MenuRig m(presses(kTitle, {"O", "DOWN", "RETURN", "LEFT"}), path);
        std::filesystem::create_directory(m.rig.path("Pedalon.ini"));
        m.rig.dir.write("blocker", "a file, not a folder");
        m.runUntil(kTitle + 35);
        EXPECT_NE(m.menus.stack().status().find("Not saved"), std::string::npos) << path;
        EXPECT_EQ(m.rig.sound.levels().volume(SoundGroup::Music), 90) << path;
        EXPECT_EQ(m.shown(), "SOUND\nMusic volume     < 90 >\nEffects volume     100\nBack\n") << path;
    }
}

TEST(MenuScreensTest, AReadOnlySettingsFileIsLeftAsItWas) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    MenuRig m(presses(kTitle, {"O", "DOWN", "RETURN", "LEFT"}));
    m.rig.dir.write("Pedalon.ini", kMessy);
    std::filesystem::permissions(m.rig.path("Pedalon.ini"), std::filesystem::perms::owner_read);
    m.runUntil(kTitle + 35);
    EXPECT_NE(m.menus.stack().status().find("Not saved"), std::string::npos);
    EXPECT_EQ(m.file(), kMessy);
}

TEST(MenuScreensTest, ResettingTheHighScoresAsksFirstAndKeepsTheOldTable) {
    // Game (up past Back), Reset, No; Reset, Yes.
    MenuRig m(
        presses(kTitle, {"O", "UP", "UP", "RETURN", "DOWN", "RETURN", "RETURN", "RETURN", "DOWN", "RETURN"}));
    Random random;
    ASSERT_TRUE(
        ScoreFile::save({500, 400, 300, 200, 100}, random, m.files.scoreTable(), m.files.scoreText()).ok());
    std::string before;
    readFile(m.files.scoreTable(), before);
    m.runUntil(kTitle + 65);
    EXPECT_EQ(m.menus.stack().top().title(), "GAME") << "No keeps the table";
    EXPECT_EQ(ScoreFile::load(m.files.scoreTable())[0], 500u);
    m.runUntil(kTitle + 85);
    EXPECT_EQ(m.menus.stack().top().title(), "RESET HIGH SCORES?");
    m.runUntil(kTitle + 105);
    EXPECT_EQ(m.menus.stack().top().title(), "GAME");
    EXPECT_EQ(ScoreFile::load(m.files.scoreTable()), HighScoreTable{});
    std::string backup;
    ASSERT_TRUE(readFile(ScoreFile::backupOf(m.files.scoreTable()), backup));
    EXPECT_EQ(backup, before);
    EXPECT_NE(m.menus.stack().status().find(".bak"), std::string::npos) << m.menus.stack().status();
}

TEST(MenuScreensTest, TheRecordsScreenShowsEveryModeAndMarksTheNewestRecord) {
    MenuRig m(presses(kTitle, {"H", "ESCAPE", "H"}));
    Random random;
    ASSERT_TRUE(
        ScoreFile::save({5000, 10, 20, 30, 40}, random, m.files.scoreTable(), m.files.scoreText()).ok());
    m.runUntil(kTitle + 5);
    ASSERT_TRUE(m.menus.isOpen());
    EXPECT_EQ(m.shown(),
              "RECORDS\nEndless   5000\nStage 1   10\nStage 2   20\nStage 3   30\nStage 4   40\nBack\n");
    EXPECT_EQ(m.chosen(), "Back");
    m.runUntil(kTitle + 15);
    EXPECT_FALSE(m.menus.isOpen());
    m.menus.noteNewRecord(2);
    m.runUntil(kTitle + 25);
    EXPECT_EQ(m.chosen(), "Stage 2");
    EXPECT_NE(m.shown().find("Stage 2   20  new!"), std::string::npos) << m.shown();
}

// A run ends, its replay is kept, and the records screen plays it; Escape leaves it for the title.
TEST(MenuScreensTest, TheRecordsScreenWatchesTheReplayOfARecordAndEscapeComesBack) {
    MenuRig m(presses(kTitle, {"RETURN"}) + presses(700, {"ESCAPE", "DOWN", "DOWN", "RETURN"}) +
              presses(800, {"H", "DOWN", "RETURN"}) + presses(900, {"ESCAPE"}));
    m.runUntil(805);
    ASSERT_EQ(m.director.state(), GameDirector::Attract);
    ASSERT_TRUE(m.menus.isOpen());
    EXPECT_NE(m.shown().find("Endless   0  (Enter: watch)"), std::string::npos) << m.shown();
    EXPECT_EQ(m.shown().find("Stage 1   0  ("), std::string::npos) << "no stage run was kept";
    m.runUntil(825);
    ASSERT_EQ(m.director.state(), GameDirector::Watch) << (m.menus.isOpen() ? m.menus.stack().status() : "");
    ASSERT_NE(m.director.replayWatch(), nullptr);
    EXPECT_GT(m.director.replayWatch()->updates(), 0u);
    EXPECT_EQ(m.menus.signText(), "Enter pause   Up/Down speed   Left/Right -/+10 s   . step   Esc leave");
    m.runUntil(905);
    EXPECT_EQ(m.director.state(), GameDirector::Attract);
    EXPECT_TRUE(m.director.running()) << "leaving a replay watched from the records does not quit";
}

// With [REPLAYS] ATTRACT=1 the attract demo rides a run of the library instead of demo.dat.
TEST(MenuScreensTest, TheAttractDemoMayRideARunOfTheReplayLibrary) {
    for (const bool fromLibrary : {false, true}) {
        MenuRig m(presses(kTitle, {"RETURN"}) + presses(700, {"ESCAPE", "DOWN", "DOWN", "RETURN"}));
        m.rig.dir.write("Pedalon.ini", fromLibrary ? "[REPLAYS]\nATTRACT=1\n" : "");
        m.runUntil(1200);
        ASSERT_EQ(m.director.state(), GameDirector::Attract);
        EXPECT_EQ(m.director.scene()->replayRecordsRidden() > 0, fromLibrary);
    }
}

// Until the race starts, so the pause key works.
uint32_t raceStart(MenuRig& m, uint32_t limit) {
    while (m.ticks < limit) {
        m.runUntil(m.ticks + 1);
        if (m.director.scene() && m.director.scene()->kind() == SceneKind::Play &&
            m.director.scene()->phaseState() == Scene::Racing)
            return m.ticks;
    }
    return 0;
}

TEST(MenuScreensTest, EscapeInARunOpensAPauseMenuThatHoldsEverythingAndDrawsOnlyOnChange) {
    MenuRig m(presses(kTitle, {"RETURN"}) + "320 down F\n");
    const uint32_t racing = raceStart(m, 1200);
    ASSERT_NE(racing, 0u);
    m.runUntil(racing + 20);
    EXPECT_EQ(m.menus.signText(), "F pedal   D brake   Left/Right steer   Up boost   Space jump   Esc menu")
        << "the first run shows the riding controls";

    m.rig.keys = ScriptedKeySource::fromText("1 down F\n" + presses(racing + 30, {"ESCAPE"}) +
                                             presses(racing + 60, {"DOWN", "UP", "RETURN"}));
    m.runUntil(racing + 32);
    ASSERT_TRUE(m.menus.isOpen());
    EXPECT_EQ(m.menus.stack().top().title(), "PAUSED");
    EXPECT_EQ(m.director.state(), GameDirector::Run);
    const Vec3 held = m.director.scene()->rider()->position();
    const uint32_t frames = m.director.framesDrawn();
    m.runUntil(racing + 59);
    EXPECT_EQ(m.director.scene()->rider()->position(), held);
    EXPECT_EQ(m.director.framesDrawn(), frames) << "nothing changed, nothing drawn";
    m.runUntil(racing + 62);
    EXPECT_EQ(m.director.framesDrawn(), frames + 1) << "the menu's choice moved: one frame";
    m.runUntil(racing + 85);
    EXPECT_FALSE(m.menus.isOpen());
    EXPECT_EQ(m.director.state(), GameDirector::Run) << "Enter on Resume must not end the run too";
    EXPECT_NE(m.director.scene()->rider()->position(), held);
}

TEST(MenuScreensTest, ThePauseKeyShowsPausedAndDrawsOnlyOnChange) {
    MenuRig m(presses(kTitle, {"RETURN"}));
    const uint32_t racing = raceStart(m, 1200);
    ASSERT_NE(racing, 0u);
    m.rig.keys = ScriptedKeySource::fromText(presses(racing + 10, {"W"}) + presses(racing + 100, {"W"}));
    m.runUntil(racing + 15);
    EXPECT_EQ(m.menus.signText(), "W resumes   Esc menu");
    const uint32_t frames = m.director.framesDrawn();
    m.runUntil(racing + 95);
    EXPECT_EQ(m.director.framesDrawn(), frames);
    m.director.requestRedraw(); // the window changed size
    m.runUntil(racing + 96);
    EXPECT_EQ(m.director.framesDrawn(), frames + 1);
    m.runUntil(racing + 110);
    EXPECT_GT(m.director.framesDrawn(), frames + 5) << "running again";
}

TEST(MenuScreensTest, EndThisRunGoesBackToTheTitleAndQuitTheGameKeepsTheRunsFiles) {
    MenuRig end(presses(kTitle, {"RETURN"}) + presses(700, {"ESCAPE", "DOWN", "DOWN", "RETURN"}));
    end.runUntil(735);
    EXPECT_EQ(end.director.state(), GameDirector::Attract);
    EXPECT_FALSE(end.menus.isOpen());
    EXPECT_TRUE(std::filesystem::exists(end.files.lastRide()));

    MenuRig quit(presses(kTitle, {"RETURN"}) + presses(700, {"ESCAPE", "UP", "RETURN"}));
    quit.runUntil(730);
    EXPECT_FALSE(quit.director.running());
    EXPECT_TRUE(std::filesystem::exists(quit.files.lastRide()));
}

// A run's file that cannot be written is told on screen for a while, as error.log's line and on
// the errors stream; the game goes on to the title.
TEST(MenuScreensTest, ASaveThatFailsIsToldOnScreenAndInTheErrorLog) {
    MenuRig m(presses(kTitle, {"RETURN"}) + presses(700, {"ESCAPE", "DOWN", "DOWN", "RETURN"}));
    m.rig.dir.write("Data/replay.dat/keep", "x"); // a folder in the way of the run's ride
    m.runUntil(735);
    EXPECT_EQ(m.director.state(), GameDirector::Attract);
    ASSERT_TRUE(m.extras.notice().visible(static_cast<double>(m.rig.clock.now())));
    EXPECT_EQ(m.extras.notice().lines()[0], U"Could not save the run's result");
    const std::string detail(m.extras.notice().lines()[1].begin(), m.extras.notice().lines()[1].end());
    EXPECT_TRUE(detail.ends_with("Data/replay.dat")) << detail;
    std::string logged;
    ASSERT_TRUE(readFile(m.rig.path("error.log"), logged));
    EXPECT_NE(logged.find(" could not save ./Data/replay.dat; the run's result is not kept there\n"),
              std::string::npos)
        << logged;
    EXPECT_NE(m.log.str().find("qorvex: could not save ./Data/replay.dat"), std::string::npos);
}

// On a pad: Start opens the pause menu in a run, B backs out of it; Y and X open the options
// and the records on the title screen, and the signs name the pad's buttons.
TEST(MenuScreensTest, APadOpensAndDrivesEveryScreen) {
    MenuRig m(presses(kTitle, {"PAD_Y", "PAD_B", "PAD_X", "PAD_B", "PAD_START"}) +
              presses(700, {"PAD_START", "PAD_DPAD_DOWN", "PAD_B"}));
    m.runUntil(kTitle + 1);
    EXPECT_EQ(m.menus.stack().top().title(), "OPTIONS");
    m.runUntil(kTitle + 21);
    EXPECT_EQ(m.menus.stack().top().title(), "RECORDS");
    EXPECT_EQ(m.menus.footer(), "D-pad: choose and change   A: select   B: back");
    m.runUntil(kTitle + 31);
    EXPECT_FALSE(m.menus.isOpen());
    EXPECT_EQ(m.menus.signText(), "Start play   D-pad mode   Y options   X records");
    m.runUntil(701);
    ASSERT_EQ(m.director.state(), GameDirector::Run) << "Start began the run";
    EXPECT_EQ(m.menus.stack().top().title(), "PAUSED");
    m.runUntil(721);
    EXPECT_FALSE(m.menus.isOpen());
    EXPECT_EQ(m.director.state(), GameDirector::Run);
}

} // namespace
} // namespace qv
