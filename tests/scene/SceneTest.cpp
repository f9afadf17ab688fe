#include "scene/Scene.h"
#include "core/FatalError.h"
#include "platform/GameAction.h"
#include "race/RaceClock.h"
#include "scene/FinishPhase.h"
#include "scene/RacePhase.h"
#include "scene/StartPhase.h"
#include "support/HeadlessRig.h"
#include "world/Camera.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr const char* kReady = "./Data/wave/Ready.wav";
constexpr const char* kMusic = "./Data/wave/bgm.wav";
constexpr const char* kWarning = "./Data/wave/warning.wav";

class SceneTest : public ::testing::Test {
  protected:
    std::unique_ptr<Scene> make(SceneKind kind) {
        auto scene = std::make_unique<Scene>(kind, rig.graphics, rig.content, rig.sound, rig.keyboard,
                                             rig.state, rig.options());
        scene->start();
        return scene;
    }
    static bool goesOn(SceneStatus status) {
        return status == SceneStatus::Running || status == SceneStatus::Cleared;
    }
    // Updates until the scene reaches phase state `phase`; the number of updates it took.
    static int updatesUntil(Scene& scene, int32_t phase, int limit = 10000) {
        for (int n = 1; n <= limit; ++n) {
            scene.update();
            if (scene.phaseState() == phase)
                return n;
        }
        return -1;
    }

    test::HeadlessRig rig;
};

TEST_F(SceneTest, AttractSceneSetsDemoModeAndPlaysOnlyTheMusic) {
    rig.state.stageCleared = true;
    auto scene = make(SceneKind::Attract);
    EXPECT_TRUE(rig.state.demoMode);
    EXPECT_FALSE(rig.state.stageCleared);
    while (goesOn(scene->update())) {
    }
    EXPECT_EQ(rig.sound.playCount(kMusic), 1u);
    EXPECT_EQ(rig.sound.playCount(kReady), 0u);
    EXPECT_EQ(rig.sound.playCount(kWarning), 0u);
    EXPECT_GE(rig.sound.stopCount(kMusic), 1u);
}

TEST_F(SceneTest, PlaySceneSoundsFollowThePhases) {
    auto scene = make(SceneKind::Play);
    EXPECT_FALSE(rig.state.demoMode);
    EXPECT_EQ(updatesUntil(*scene, Scene::Starting), 1);
    EXPECT_EQ(rig.sound.playCount(kReady), 1u);
    EXPECT_EQ(rig.sound.playCount(kMusic), 0u);
    // The start phase lasts 160 + 121 updates; the music starts as the race does.
    EXPECT_EQ(updatesUntil(*scene, Scene::Racing), 281);
    EXPECT_EQ(rig.sound.playCount(kMusic), 1u);
    // The race ends when the time runs out: 2700 frames and the first goal's time (it lies at most
    // the field's diagonal away); the music gives way to the warning.
    int race = updatesUntil(*scene, Scene::Finishing);
    EXPECT_GT(race, 2701);
    EXPECT_LT(race, 2701 + 120 * 142 / 8.3);
    EXPECT_EQ(rig.sound.stopCount(kMusic), 1u);
    EXPECT_EQ(rig.sound.playCount(kWarning), 1u);
    // Rising water, the walker's walk to the rider, then the fade: 101 fade steps.
    const FinishPhase* finish = scene->finishPhase();
    EXPECT_EQ(updatesUntil(*scene, Scene::Over, 3000) > 500 + 101, true);
    EXPECT_EQ(finish, scene->finishPhase());
    EXPECT_EQ(rig.sound.stopCount(kWarning), 1u);
    EXPECT_EQ(scene->update(), SceneStatus::Over);
}

TEST_F(SceneTest, ClearedStageEndsTheScene121UpdatesLaterWithTheFlagStillSet) {
    auto scene = make(SceneKind::Play);
    ASSERT_GT(updatesUntil(*scene, Scene::Racing), 0);
    rig.state.stageCleared = true;
    int updates = 1;
    ASSERT_EQ(scene->update(), SceneStatus::Cleared);
    const double frozen = scene->racePhase()->raceClock().remainingTime();
    SceneStatus status;
    while ((status = scene->update()) == SceneStatus::Cleared)
        ++updates;
    EXPECT_EQ(status, SceneStatus::NextStage);
    EXPECT_EQ(updates, 121);
    EXPECT_TRUE(rig.state.stageCleared);
    EXPECT_EQ(scene->phaseState(), Scene::Racing);
    // The time stands still while the stage is cleared.
    EXPECT_EQ(scene->racePhase()->raceClock().remainingTime(), frozen);
}

TEST_F(SceneTest, DrawingBeforeTheStartPhasePresentsNothing) {
    auto scene = make(SceneKind::Attract);
    scene->draw();
    EXPECT_EQ(rig.graphics.framesPresented(), 0);
    scene->update();
    scene->draw();
    EXPECT_EQ(rig.graphics.framesPresented(), 1);
    EXPECT_TRUE(rig.graphics.lightEnabled());
    EXPECT_FLOAT_EQ(rig.graphics.light().direction.x, 0.4f);
    EXPECT_EQ(rig.graphics.renderState(RenderState::Ambient), 0xFF505050u);
}

TEST_F(SceneTest, SceneUpdatePollsTheKeyboard) {
    test::HeadlessRig keyed("1 down F\n");
    keyed.keysFor(1);
    Scene scene(SceneKind::Play, keyed.graphics, keyed.content, keyed.sound, keyed.keyboard, keyed.state,
                keyed.options());
    EXPECT_FALSE(keyed.keyboard.held(GameAction::Pedal));
    scene.update();
    EXPECT_TRUE(keyed.keyboard.held(GameAction::Pedal));
}

TEST_F(SceneTest, MissingSoundsLeaveTheSceneSilentButRunning) {
    rig.removeFile("Data/wave/bgm.wav");
    auto scene = make(SceneKind::Attract);
    for (int i = 0; i < 400; ++i)
        ASSERT_TRUE(goesOn(scene->update()));
    EXPECT_EQ(rig.sound.playCount(kMusic), 0u);
}

class PauseTest : public SceneTest {
  protected:
    PauseTest() {
        rig.keys = ScriptedKeySource::fromText("1 down W\n2 down P\n3 up W\n4 up P\n5 down P\n6 up P\n");
    }
};

TEST_F(PauseTest, WAndPAreOnePauseKeyThatFreezesTheWorldAndTheTimer) {
    auto scene = make(SceneKind::Play);
    ASSERT_GT(updatesUntil(*scene, Scene::Racing), 0);
    std::vector<bool> paused;
    std::vector<double> times;
    std::vector<Vec3> eyes;
    for (uint32_t t = 1; t <= 7; ++t) {
        rig.keysFor(t);
        ASSERT_TRUE(goesOn(scene->update()));
        paused.push_back(scene->racePhase()->paused());
        times.push_back(scene->racePhase()->raceClock().remainingTime());
        eyes.push_back(scene->camera()->eye());
    }
    // W down pauses; P while W is held does not toggle again; the next fresh press resumes.
    EXPECT_EQ(paused, (std::vector<bool>{true, true, true, true, false, false, false}));
    EXPECT_EQ(times.front(), 2700.0);
    EXPECT_EQ(times[3], 2700.0);
    EXPECT_EQ(times[4] - times[6], 2.0);
    // The camera stands still while paused, and frames are still drawn.
    EXPECT_EQ(eyes[0], eyes[3]);
    int before = rig.graphics.framesPresented();
    scene->draw();
    EXPECT_EQ(rig.graphics.framesPresented(), before + 1);
}

// The race goes on losing focus only where the player is not racing or has said so.
class FocusPauseTest : public SceneTest {
  protected:
    // A player's scene one update into its race, the keys at tick 1.
    std::unique_ptr<Scene> racing() {
        auto scene = make(SceneKind::Play);
        EXPECT_GT(updatesUntil(*scene, Scene::Racing), 0);
        rig.keysFor(1);
        scene->update();
        return scene;
    }
    // Races one update with focus lost; whether it paused the race and held the sounds.
    bool pausesOnFocusLoss(Scene& scene) {
        scene.pauseForFocusLoss();
        scene.update();
        const bool paused = scene.racePhase()->paused();
        EXPECT_EQ(rig.sound.paused(), paused);
        return paused;
    }
};

TEST_F(FocusPauseTest, LosingFocusPausesARaceAndItsSoundsUntilThePauseKeyIsPressed) {
    rig.keys = ScriptedKeySource::fromText("30 down P\n31 up P\n");
    auto scene = racing();
    const double before = scene->racePhase()->raceClock().remainingTime();
    ASSERT_TRUE(pausesOnFocusLoss(*scene)) << "focus lost for one update only";
    // Back in focus, nothing resumes by itself.
    for (uint32_t t = 2; t < 30; ++t) {
        rig.keysFor(t);
        ASSERT_TRUE(goesOn(scene->update()));
        EXPECT_TRUE(scene->racePhase()->paused());
        EXPECT_TRUE(rig.sound.paused());
    }
    EXPECT_EQ(scene->racePhase()->raceClock().remainingTime(), before) << "the timer ran while paused";
    rig.keysFor(30);
    scene->update();
    EXPECT_FALSE(scene->racePhase()->paused());
    EXPECT_FALSE(rig.sound.paused());
    for (uint32_t t = 31; t < 35; ++t) {
        rig.keysFor(t);
        scene->update();
    }
    EXPECT_LT(scene->racePhase()->raceClock().remainingTime(), before);
}

// A player back at the pad resumes with any button; a pause asked for with the pause key still
// waits for that key (A pedals, it must not end a pause the player chose).
TEST_F(FocusPauseTest, AfterAFocusLossAnyPadButtonResumes) {
    rig.keys = ScriptedKeySource::fromText("10 down PAD_A\n11 up PAD_A\n20 down P\n21 up P\n25 down PAD_Y\n");
    auto scene = racing();
    ASSERT_TRUE(pausesOnFocusLoss(*scene));
    for (uint32_t t = 2; t <= 10; ++t) {
        rig.keysFor(t);
        scene->update();
        EXPECT_EQ(scene->racePhase()->paused(), t < 10) << "tick " << t;
    }
    EXPECT_FALSE(rig.sound.paused());
    for (uint32_t t = 11; t <= 26; ++t) {
        rig.keysFor(t);
        scene->update();
    }
    EXPECT_TRUE(scene->racePhase()->paused()) << "paused by P at tick 20, not resumed by a pad button";
}

TEST_F(FocusPauseTest, PausedByTheKeyTheSoundsAreHeldToo) {
    rig.keys = ScriptedKeySource::fromText("1 down W\n2 up W\n5 down W\n6 up W\n");
    auto scene = racing();
    ASSERT_TRUE(scene->racePhase()->paused());
    EXPECT_FALSE(rig.sound.paused()) << "the pause key alone keeps the music, as it always did";
    EXPECT_TRUE(pausesOnFocusLoss(*scene));
    for (uint32_t t = 2; t <= 5; ++t) {
        rig.keysFor(t);
        scene->update();
    }
    EXPECT_FALSE(scene->racePhase()->paused());
    EXPECT_FALSE(rig.sound.paused());
}

TEST_F(FocusPauseTest, TheDemoTheStartAndAPlayerWhoSwitchedItOffAreNotPaused) {
    auto demo = make(SceneKind::Attract);
    ASSERT_GT(updatesUntil(*demo, Scene::Racing), 0);
    EXPECT_FALSE(pausesOnFocusLoss(*demo));
    demo.reset();

    auto starting = make(SceneKind::Play);
    ASSERT_EQ(updatesUntil(*starting, Scene::Starting), 1);
    starting->pauseForFocusLoss();
    EXPECT_FALSE(rig.sound.paused());
    EXPECT_EQ(updatesUntil(*starting, Scene::Racing), 281) << "the start is not held up";
    starting.reset();

    rig.dir.write("Pedalon.ini", "[WINDOW]\nFOCUSPAUSE=0\n");
    auto switchedOff = make(SceneKind::Play);
    ASSERT_GT(updatesUntil(*switchedOff, Scene::Racing), 0);
    EXPECT_FALSE(pausesOnFocusLoss(*switchedOff));
}

TEST_F(FocusPauseTest, ARunEndedWhilePausedLetsTheSoundsGo) {
    auto scene = make(SceneKind::Play);
    ASSERT_GT(updatesUntil(*scene, Scene::Racing), 0);
    ASSERT_TRUE(pausesOnFocusLoss(*scene));
    scene.reset();
    EXPECT_FALSE(rig.sound.paused());
}

TEST(FadeQuad, BlackAfter85StepsAndCountsOnBy3) {
    RecordingRenderDevice graphics{RecordingRenderDevice::Vertices::Keep};
    FadeQuad fade(graphics);
    for (int i = 0; i < 84; ++i)
        fade.step();
    EXPECT_EQ(fade.quad()[0].diffuse, 252u << 24);
    fade.step();
    EXPECT_EQ(fade.quad()[3].diffuse, 0xFF000000u);
    EXPECT_EQ(fade.fadeCounter(), 255);
    fade.draw();
    ASSERT_EQ(graphics.draws().size(), 1u);
    EXPECT_EQ(graphics.draws()[0].type, PrimitiveType::TriangleStrip);
    EXPECT_EQ(graphics.draws()[0].vertex<OverlayVertex>(3).x, 640.0f);
    EXPECT_EQ(graphics.draws()[0].texture, nullptr);
}

} // namespace
} // namespace qv
