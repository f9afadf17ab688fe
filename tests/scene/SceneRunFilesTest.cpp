#include "scene/Scene.h"

#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qv {
namespace {

constexpr size_t kRecordingBytes = 786432;
constexpr size_t kGoalFileBytes = 2048;

// What a scene leaves behind when its run ends. A run without knock-downs is never a new best, so
// these runs show the replay and stage choices and what happens when a write fails; the new-best
// path (the next demo and the high-score files) runs in the scenario tests.
class SceneRunFilesTest : public ::testing::Test {
  protected:
    SceneRunFilesTest() { rig.dir.write("Data/demo.dat", "the demo"); }

    std::unique_ptr<Scene> playFor(SceneKind kind, int updates) {
        auto scene = std::make_unique<Scene>(kind, rig.graphics, rig.content, rig.sound, rig.keyboard,
                                             rig.state, rig.options());
        scene->start();
        for (int i = 0; i < updates; ++i)
            scene->update();
        return scene;
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(rig.dir.path() / name); }
    size_t sizeOf(const std::string& name) const { return std::filesystem::file_size(rig.dir.path() / name); }
    bool wroteNothing() const {
        return !exists("Data/replay.dat") && !exists("Data/rgoal.dat") && !exists("Data/dgoal.dat") &&
               !exists("Data/score.dat") && !exists("HiScore.txt") && sizeOf("Data/demo.dat") == 8;
    }

    test::HeadlessRig rig;
};

TEST_F(SceneRunFilesTest, AnEndlessRunWithoutANewBestIsKeptAsTheReplayOnly) {
    auto scene = playFor(SceneKind::Play, 400);
    const SaveResult result = scene->finishRun();
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(sizeOf("Data/replay.dat"), kRecordingBytes);
    EXPECT_EQ(sizeOf("Data/rgoal.dat"), kGoalFileBytes);
    EXPECT_EQ(sizeOf("Data/demo.dat"), 8u);
    EXPECT_FALSE(exists("Data/dgoal.dat"));
    EXPECT_FALSE(exists("Data/score.dat"));
    EXPECT_FALSE(exists("HiScore.txt"));
}

TEST_F(SceneRunFilesTest, AStageRunAndTheDemoLeaveNoFiles) {
    rig.state.stageNumber = 1;
    EXPECT_TRUE(playFor(SceneKind::Play, 400)->finishRun().ok());
    rig.state.stageNumber = 0;
    EXPECT_TRUE(playFor(SceneKind::Attract, 400)->finishRun().ok());
    EXPECT_TRUE(wroteNothing());
}

TEST_F(SceneRunFilesTest, NothingIsWrittenWhenASceneGoesAndARunIsFinishedOnce) {
    playFor(SceneKind::Play, 400).reset();
    EXPECT_TRUE(wroteNothing());

    auto scene = playFor(SceneKind::Play, 10);
    scene->finishRun();
    std::filesystem::remove(rig.dir.path() / "Data/replay.dat");
    scene->finishRun();
    scene.reset();
    EXPECT_FALSE(exists("Data/replay.dat"));
}

TEST_F(SceneRunFilesTest, AFailedWriteIsNamedAndTheRunsOtherFilesAreStillWritten) {
    // A folder with something in it cannot be replaced by a file.
    rig.dir.write("Data/replay.dat/keep", "x");
    auto scene = playFor(SceneKind::Play, 10);
    const SaveResult result = scene->finishRun();
    ASSERT_EQ(result.failed.size(), 1u);
    EXPECT_EQ(result.failed[0], "./Data/replay.dat");
    EXPECT_EQ(sizeOf("Data/rgoal.dat"), kGoalFileBytes);
}

} // namespace
} // namespace qv
