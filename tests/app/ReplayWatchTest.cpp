#include "app/ReplayWatch.h"
#include "assets/ContentCache.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "race/RaceClock.h"
#include "race/RaceScore.h"
#include "replay/ReplayFile.h"
#include "rider/Rider.h"
#include "scene/RacePhase.h"
#include "scene/Scene.h"
#include "support/BuildPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using C = MenuCommand;

// The golden replays watched on the headless back ends, with the game's own content.
class ReplayWatchTest : public ::testing::Test {
  protected:
    ReplayRun golden(const std::string& name) {
        std::string error;
        auto run = ReplayFile::load((test::sourceDir() / "tests/replay/golden" / name).string(), error);
        EXPECT_TRUE(run) << error;
        return run ? *run : ReplayRun();
    }
    std::unique_ptr<ReplayWatch> watch(const std::string& name) {
        return std::make_unique<ReplayWatch>(graphics, cache, sound, keyboard, game, SceneOptions{},
                                             PlayerFiles(), golden(name));
    }
    static void ticks(ReplayWatch& w, uint64_t count, ReplayWatch::Controls controls = {}) {
        for (uint64_t i = 0; i < count; ++i)
            w.tick(controls);
    }
    static Vec3 rider(const ReplayWatch& w) { return w.scene()->rider()->position(); }
    // Where the run stands: the rider, the clock and the score.
    static std::tuple<Vec3, double, uint32_t> state(const ReplayWatch& w) {
        return {rider(w), w.scene()->racePhase()->raceClock().remainingTime(),
                w.scene()->raceScore()->score()};
    }

    test::ScopedWorkingDir content{test::gameBinary().parent_path()};
    RecordingRenderDevice graphics;
    ContentCache cache;
    NullSoundSystem sound;
    ScriptedKeySource keys = ScriptedKeySource::fromText("");
    KeyboardInput keyboard{keys, keys};
    GameState game;
};

// Ten seconds on rides ahead, ten back rides the stage again from its start: either way the
// rider stands where riding straight through puts it.
TEST_F(ReplayWatchTest, SeekingLandsWhereRidingThroughDoes) {
    auto seeking = watch("endless.qvr");
    seeking->tick({C::Right});
    ASSERT_EQ(seeking->updates(), ReplayWatch::kSeekUpdates + 1);
    const auto ahead = state(*seeking);
    ticks(*seeking, 1299);
    seeking->tick({C::Confirm}); // paused, as a viewer looking for a moment would be
    seeking->tick({C::Left});
    ASSERT_EQ(seeking->updates(), 1300u);
    const auto back = state(*seeking);

    auto through = watch("endless.qvr");
    ticks(*through, ReplayWatch::kSeekUpdates + 1);
    EXPECT_EQ(state(*through), ahead);
    ticks(*through, 1300 - (ReplayWatch::kSeekUpdates + 1));
    EXPECT_EQ(state(*through), back);
    EXPECT_GT(std::get<2>(back), 0u) << "a knock-down happened before the jump back";
}

TEST_F(ReplayWatchTest, PauseStepsOneUpdateAtATimeAndSpeedsGoFromAQuarterToEightTimes) {
    auto w = watch("endless.qvr");
    w->tick({C::Confirm});
    EXPECT_TRUE(w->paused());
    EXPECT_EQ(w->updates(), 0u);
    ticks(*w, 10);
    EXPECT_EQ(w->updates(), 0u) << "paused";
    w->tick({C::None, true});
    EXPECT_EQ(w->updates(), 1u);
    EXPECT_EQ(w->caption()[1], "PAUSED");
    w->tick({C::Confirm});
    ticks(*w, 3, {C::Up});
    EXPECT_EQ(w->speedPercent(), 800u);
    const uint64_t fast = w->updates();
    w->tick({});
    EXPECT_EQ(w->updates(), fast + 8);
    ticks(*w, 9, {C::Down});
    EXPECT_EQ(w->speedPercent(), 25u);
    EXPECT_EQ(w->caption()[1], "x1/4");
    const uint64_t slow = w->updates();
    ticks(*w, 8);
    EXPECT_EQ(w->updates(), slow + 2);
}

// A stage run plays its stages one after the other, each to the score it had.
TEST_F(ReplayWatchTest, AStageRunPlaysEveryStageToItsScoreAndEnds) {
    const ReplayRun run = golden("stages-1-2.qvr");
    auto w = watch("stages-1-2.qvr");
    ReplayWatch::Status status = ReplayWatch::Status::Watching;
    uint32_t firstStageScore = 0;
    for (int i = 0; i < 20000 && status == ReplayWatch::Status::Watching; ++i) {
        if (w->stageIndex() == 0)
            firstStageScore = w->scene()->raceScore()->score();
        status = w->tick({});
    }
    ASSERT_EQ(status, ReplayWatch::Status::Over);
    EXPECT_EQ(w->stageIndex(), 1u);
    EXPECT_EQ(firstStageScore, run.stages[0].score);
    EXPECT_EQ(w->scene()->raceScore()->score(), run.stages[1].score);
    EXPECT_NE(w->caption()[0].find("stages   13753"), std::string::npos) << w->caption()[0];
}

} // namespace
} // namespace qv
