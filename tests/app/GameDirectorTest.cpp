#include "app/GameDirector.h"
#include "assets/DataFiles.h"
#include "core/FatalError.h"
#include "scene/Scene.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace qv {
namespace {

class GameDirectorTest : public ::testing::Test {
  protected:
    explicit GameDirectorTest(const std::string& script = "") : rig(script) {}

    GameDirector& director() {
        if (!director_)
            director_ = std::make_unique<GameDirector>(rig.graphics, rig.sound, rig.keyboard, rig.clock,
                                                       rig.state, rig.settings, errors);
        return *director_;
    }
    // Runs ticks until the next one would be tick `last` + 1.
    void runUntil(uint32_t last) {
        while (ticks < last) {
            rig.keysFor(++ticks);
            director().tick();
        }
    }
    // Runs until the director reaches state, at most `limit` more ticks; false if it never does.
    bool runUntilState(int32_t state, uint32_t limit) {
        for (uint32_t i = 0; i < limit; ++i) {
            runUntil(ticks + 1);
            if (director().state() == state)
                return true;
        }
        return false;
    }

    test::HeadlessRig rig;
    std::ostringstream errors;
    std::unique_ptr<GameDirector> director_;
    uint32_t ticks = 0;
};

TEST_F(GameDirectorTest, LogoRunsItsCourseThenTheAttractDemoStarts) {
    runUntil(290);
    EXPECT_EQ(director().state(), GameDirector::Logo);
    EXPECT_EQ(director().scene(), nullptr);
    runUntil(291);
    EXPECT_EQ(director().state(), GameDirector::Attract);
    ASSERT_NE(director().scene(), nullptr);
    EXPECT_TRUE(rig.state.demoMode);
    EXPECT_EQ(rig.state.stageNumber, 0u);
    // The logo restored what every scene expects.
    EXPECT_EQ(rig.graphics.renderState(RenderState::CullMode), kCullCcw);
    EXPECT_EQ(rig.graphics.renderState(RenderState::Lighting), 1u);
}

// The volumes come from the settings before the logo's jingle, and afresh for every scene; the
// mute is the player's and survives them. The music plays at the music volume, the rest not.
TEST_F(GameDirectorTest, VolumeSettingsReachTheSoundSystemForTheLogoAndEveryScene) {
    rig.dir.write("Pedalon.ini", "[SOUND]\nMUSIC=40\nEFFECTS=250\n");
    runUntil(1);
    EXPECT_EQ(rig.sound.levels().volume(SoundGroup::Music), 40);
    EXPECT_EQ(rig.sound.levels().volume(SoundGroup::Effects), 100);
    rig.sound.setMuted(true);
    rig.dir.write("Pedalon.ini", "[sound]\nmusic=-3\neffects=55\n");
    runUntil(291);
    ASSERT_NE(director().scene(), nullptr);
    EXPECT_EQ(rig.sound.levels().volume(SoundGroup::Music), 0);
    EXPECT_EQ(rig.sound.levels().volume(SoundGroup::Effects), 55);
    EXPECT_TRUE(rig.sound.levels().muted());

    runUntil(400);
    bool musicPlayed = false;
    for (const SoundEvent& event : rig.sound.events()) {
        const bool isMusic = event.path == data::kMusic;
        musicPlayed = musicPlayed || (isMusic && event.play);
        EXPECT_EQ(event.group, isMusic ? SoundGroup::Music : SoundGroup::Effects) << event.path;
    }
    EXPECT_TRUE(musicPlayed);
}

TEST_F(GameDirectorTest, TicksFollowTheSeventeenMillisecondSchedule) {
    runUntil(10);
    EXPECT_EQ(rig.clock.now(), 170u);
}

TEST_F(GameDirectorTest, AnAttractDemoThatEndsByItselfIsFollowedByANewOne) {
    runUntil(291);
    ASSERT_TRUE(runUntilState(GameDirector::BackToDemo, 10000));
    runUntil(ticks + 1);
    EXPECT_EQ(director().state(), GameDirector::Attract);
    EXPECT_NE(director().scene(), nullptr);
    EXPECT_TRUE(rig.state.demoMode);
}

TEST_F(GameDirectorTest, LateTicksSkipDrawingButNotTheGame) {
    runUntil(291); // attract scene built
    int before = rig.graphics.framesPresented();
    // A clock that is already past the next deadline when the update ends: no frame is drawn.
    runUntil(300);
    int onTime = rig.graphics.framesPresented() - before;
    EXPECT_GT(onTime, 0);
    const Scene* scene = director().scene();
    int32_t phaseBefore = scene->phaseState();
    rig.clock.advance(1000);
    before = rig.graphics.framesPresented();
    runUntil(305);
    EXPECT_EQ(rig.graphics.framesPresented(), before);
    EXPECT_GE(scene->phaseState(), phaseBefore);
}

TEST_F(GameDirectorTest, ADirectorWithoutASceneCannotStartARun) {
    director().setState(GameDirector::StartRun);
    try {
        director().tick();
        FAIL() << "expected a fatal error";
    } catch (const FatalError& e) {
        EXPECT_STREQ(e.what(), "illegal memory access");
    }
}

TEST_F(GameDirectorTest, QuitStateStopsTheDirector) {
    runUntil(3);
    EXPECT_TRUE(director().running());
    director().setState(GameDirector::Quit);
    director().tick();
    EXPECT_FALSE(director().running());
}

class HeldEnterTest : public GameDirectorTest {
  protected:
    HeldEnterTest() : GameDirectorTest("1 down RETURN\n41 up RETURN\n45 down RETURN\n") {}
};

// The press that skips the logo must be let go before Enter starts a run: held on, it starts
// nothing, and the mode can still be chosen.
TEST_F(HeldEnterTest, EnterHeldFromStartSkipsTheLogoButStartsARunOnlyOnceLetGoAndPressedAgain) {
    runUntil(1);
    EXPECT_EQ(director().state(), GameDirector::Attract); // logo skipped in the first tick
    runUntil(40);
    EXPECT_EQ(director().state(), GameDirector::Attract) << "the skipping press started a run";
    EXPECT_FALSE(director().enterPressed());
    runUntil(48);
    EXPECT_EQ(director().state(), GameDirector::Run);
    EXPECT_FALSE(rig.state.demoMode);
    // Enter is still held: no new edge, the run goes on.
    runUntil(80);
    EXPECT_EQ(director().state(), GameDirector::Run);
}

class StageModeTest : public GameDirectorTest {
  protected:
    StageModeTest() : GameDirectorTest("1 down RETURN\n2 up RETURN\n10 down RETURN\n12 up RETURN\n") {}
};

TEST_F(StageModeTest, StageModeRunsStartAtStageOneAndAClearedStageLeadsToTheNext) {
    rig.state.gameMode = GameMode::Stages;
    ASSERT_TRUE(runUntilState(GameDirector::Run, 20));
    EXPECT_EQ(rig.state.stageNumber, 1u);
    rig.state.stageCleared = true;
    // The scene keeps going for its wait, then ends; the next stage follows with no demo between.
    ASSERT_TRUE(runUntilState(GameDirector::StartRun, 600));
    EXPECT_TRUE(rig.state.stageCleared);
    runUntil(ticks + 1);
    EXPECT_EQ(director().state(), GameDirector::Run);
    EXPECT_EQ(rig.state.stageNumber, 2u);
    EXPECT_FALSE(rig.state.stageCleared);
    // A new scene, not yet started (comparing addresses would not tell: the old one is freed).
    ASSERT_NE(director().scene(), nullptr);
    EXPECT_EQ(director().scene()->phaseState(), Scene::Begin);
    EXPECT_FALSE(rig.state.demoMode);
}

class EnterDuringRunTest : public GameDirectorTest {
  protected:
    EnterDuringRunTest()
        : GameDirectorTest(
              "1 down RETURN\n2 up RETURN\n5 down RETURN\n6 up RETURN\n50 down RETURN\n51 up RETURN\n") {}
};

TEST_F(EnterDuringRunTest, AFreshEnterDuringARunReturnsToTheDemo) {
    ASSERT_TRUE(runUntilState(GameDirector::Run, 20));
    ASSERT_TRUE(runUntilState(GameDirector::BackToDemo, 60));
    EXPECT_EQ(ticks, 51u);
    runUntil(ticks + 1);
    EXPECT_EQ(director().state(), GameDirector::Attract);
    EXPECT_EQ(rig.state.stageNumber, 0u);
    EXPECT_TRUE(rig.state.demoMode);
}

TEST_F(EnterDuringRunTest, ARunsFilesAreWrittenAsItEndsAndAFailedOneIsReported) {
    rig.dir.write("Data/replay.dat/keep", "x"); // a folder in the way of the replay
    ASSERT_TRUE(runUntilState(GameDirector::BackToDemo, 80));
    EXPECT_FALSE(std::filesystem::exists(rig.path("Data/rgoal.dat")));
    EXPECT_EQ(errors.str(), "");
    runUntil(ticks + 1);
    EXPECT_TRUE(std::filesystem::exists(rig.path("Data/rgoal.dat")));
    EXPECT_EQ(errors.str(), "qorvex: could not save ./Data/replay.dat; the run's result is not kept there\n");
}

// The demo and the run read the pictures and meshes; the director keeps them, so the demo after
// the run opens none of those files again.
TEST_F(EnterDuringRunTest, TheDemoAfterARunOpensNoPictureOrMeshAgain) {
    ASSERT_TRUE(runUntilState(GameDirector::Run, 20));
    rig.removePicturesAndMeshes();
    ASSERT_TRUE(runUntilState(GameDirector::Attract, 80));
    EXPECT_EQ(director().scene()->kind(), SceneKind::Attract);
}

TEST_F(EnterDuringRunTest, QuittingDuringARunStillKeepsItsFiles) {
    ASSERT_TRUE(runUntilState(GameDirector::Run, 20));
    runUntil(ticks + 20);
    director().setState(GameDirector::Quit);
    runUntil(ticks + 1);
    EXPECT_FALSE(director().running());
    EXPECT_TRUE(std::filesystem::exists(rig.path("Data/replay.dat")));
    EXPECT_TRUE(std::filesystem::exists(rig.path("Data/rgoal.dat")));
}

// A device whose window is minimised: nothing drawn can be seen.
class HiddenDevice : public RecordingRenderDevice {
  public:
    bool showsFrames() const override { return shown; }
    bool shown = false;
};

TEST(GameDirectorHiddenTest, NothingIsDrawnWhileNothingCanBeSeenButTheGameGoesOn) {
    test::HeadlessRig rig;
    HiddenDevice hidden;
    std::ostringstream errors;
    GameDirector director(hidden, rig.sound, rig.keyboard, rig.clock, rig.state, rig.settings, errors);
    for (int t = 0; t < 400; ++t)
        director.tick();
    EXPECT_EQ(director.state(), GameDirector::Attract);
    ASSERT_NE(director.scene(), nullptr);
    EXPECT_EQ(director.scene()->phaseState(), Scene::Starting);
    EXPECT_EQ(hidden.framesPresented(), 0);
    hidden.shown = true;
    director.tick();
    EXPECT_EQ(hidden.framesPresented(), 1);
}

class HeldLeftTest : public GameDirectorTest {
  protected:
    HeldLeftTest() : GameDirectorTest("1 down RETURN\n2 up RETURN\n2 down LEFT\n") {}
};

TEST_F(HeldLeftTest, HoldingAnArrowFlipsTheModeAtOnceThenEverySixteenTicks) {
    runUntil(1);
    EXPECT_EQ(rig.state.gameMode, GameMode::Endless);
    runUntil(2);
    EXPECT_EQ(rig.state.gameMode, GameMode::Stages); // the counter starts high: the first press flips at once
    std::vector<uint32_t> flips;
    GameMode mode = rig.state.gameMode;
    while (ticks < 60) {
        runUntil(ticks + 1);
        if (rig.state.gameMode != mode) {
            flips.push_back(ticks);
            mode = rig.state.gameMode;
        }
    }
    EXPECT_EQ(flips, (std::vector<uint32_t>{18, 34, 50}));
}

} // namespace
} // namespace qv
