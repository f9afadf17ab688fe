#include "race/RaceScore.h"

#include "core/FilePaths.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv::test {
namespace {

class RaceScoreTest : public ::testing::Test {
  protected:
    std::unique_ptr<RaceScore> make(uint32_t stage = 0, bool demo = false) {
        rig.state.stageNumber = stage;
        rig.state.demoMode = demo;
        return std::make_unique<RaceScore>(rig.state, false);
    }
    // A knock-down n frames after the previous one, of a goal d away hit at speed s.
    static void knockDown(RaceScore& score, float d, float s, int n) {
        for (int i = 0; i < n; ++i)
            score.countFrame();
        score.addKnockDown(d, s);
    }
    void storeTable(const HighScoreTable& table) const {
        Random random(3);
        rig.dir.write("Data/score.dat", ScoreFile::encode(table, random));
    }
    std::string contentsOf(const std::string& name) const {
        std::string text;
        EXPECT_TRUE(readFile(rig.path(name), text)) << name;
        return text;
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(rig.path(name)); }

    HeadlessRig rig;
};

TEST_F(RaceScoreTest, KnockDownScores500PlusDistanceSpeedAndTimeBonus) {
    auto score = make();
    for (int i = 0; i < 315; ++i)
        score->countFrame();
    EXPECT_EQ(score->framesSinceKnockDown(), 315);
    EXPECT_EQ(score->score(), 0u);

    auto run = make();
    knockDown(*run, 30.0f, 0.2f, 300); // 120000 * 30 * 0.2 / 300 = 2400
    EXPECT_EQ(run->score(), 2900u);
    EXPECT_EQ(run->framesSinceKnockDown(), 0);
    knockDown(*run, 25.0f, 0.3f, 7); // 128571.43, truncated
    EXPECT_EQ(run->score(), 2900u + 129071u);
    run->addPoints(0.0f); // straight after a knock-down: the base only
    EXPECT_EQ(run->score(), 2900u + 129071u + 500u);

    EXPECT_EQ(RaceScore::pointsFor(40.0f, 0), RaceScore::pointsFor(40.0f, 1)); // no division by 0
    EXPECT_EQ(RaceScore::pointsFor(NAN, 10), 500u);
    EXPECT_EQ(RaceScore::pointsFor(1.0e30f, 1), 500u + 1000000000u); // a bonus held within range
}

TEST_F(RaceScoreTest, StageChoosesTheTableEntry) {
    const std::pair<uint32_t, size_t> entries[] = {{0, 0}, {1, 1}, {4, 4}, {5, 1}, {8, 4}, {10, 2}, {43, 3}};
    for (auto [stage, entry] : entries)
        EXPECT_EQ(RaceScore::tableIndex(stage), entry) << "stage " << stage;

    const HighScoreTable stored{100, 200, 300, 400, 500};
    storeTable(stored);
    const std::pair<uint32_t, uint32_t> cases[] = {{0, 100}, {1, 200}, {4, 500},
                                                   {5, 200}, {8, 500}, {10, 300}};
    for (auto [stage, high] : cases)
        EXPECT_EQ(make(stage)->modeHighScore(), high) << "stage " << stage;
    EXPECT_EQ(make()->highScores(), stored);
}

TEST_F(RaceScoreTest, NewBestOnlyOutsideTheDemoAndOnlyAboveTheModesHighScore) {
    storeTable({1000, 100000, 0, 0, 0});
    auto score = make();
    EXPECT_FALSE(score->newBest());
    knockDown(*score, 1.0f / 30.0f, 0.125f, 1); // 500 + 500: only equal
    ASSERT_EQ(score->score(), 1000u);
    EXPECT_FALSE(score->newBest());
    knockDown(*score, 0.0f, 0.0f, 1);
    EXPECT_TRUE(score->newBest());
    EXPECT_EQ(score->modeHighScore(), 1000u) << "the table only changes when it is saved";

    EXPECT_FALSE(make()->newBest()) << "every run starts without one";

    auto stage = make(5); // plays against stage 1's entry, not the endless one
    knockDown(*stage, 0.0f, 0.0f, 1);
    EXPECT_FALSE(stage->newBest());

    auto demo = make(0, true);
    knockDown(*demo, 30.0f, 0.5f, 100);
    ASSERT_GT(demo->score(), 1000u);
    EXPECT_FALSE(demo->newBest());
}

TEST_F(RaceScoreTest, SavingANewBestWritesItIntoItsModeInBothFiles) {
    storeTable({5000, 6000, 7000, 8000, 9000});
    auto score = make(2);
    knockDown(*score, 40.0f, 0.4f, 20);
    const uint32_t points = score->score();
    ASSERT_TRUE(score->newBest());
    EXPECT_EQ(ScoreFile::load()[2], 7000u); // not yet

    Random random(11);
    const SaveResult result = score->saveTable(random);
    EXPECT_TRUE(result.ok());
    const HighScoreTable saved{5000, 6000, points, 8000, 9000};
    EXPECT_EQ(ScoreFile::load(), saved);
    Random again(11);
    EXPECT_EQ(contentsOf("Data/score.dat"), ScoreFile::encode(saved, again))
        << "scrambled by the given generator";
    EXPECT_EQ(contentsOf("HiScore.txt"), ScoreFile::text(saved));
    EXPECT_TRUE(score->newBest()) << "still there for whoever asks after the save";
    EXPECT_EQ(score->modeHighScore(), points);
    EXPECT_EQ(score->highScores(), saved);
}

TEST_F(RaceScoreTest, SavingARunWithoutANewBestWritesNothing) {
    storeTable({5000, 0, 0, 0, 0});
    auto score = make();
    GameState demoState; // a demo of its own, so the run above stays a player's
    demoState.demoMode = true;
    RaceScore demo(demoState, false);
    rig.removeFile("Data/score.dat"); // both have read it: any score.dat from here on is a new write
    Random random(4);
    const uint32_t before = random.state();

    knockDown(*score, 30.0f, 0.2f, 300);
    ASSERT_FALSE(score->newBest());
    EXPECT_TRUE(score->saveTable(random).ok());
    knockDown(demo, 30.0f, 0.5f, 100);
    ASSERT_EQ(demo.modeHighScore(), 5000u);
    ASSERT_GT(demo.score(), demo.modeHighScore()) << "above the best, but the demo never counts";
    EXPECT_TRUE(demo.saveTable(random).ok());

    EXPECT_FALSE(exists("Data/score.dat"));
    EXPECT_FALSE(exists("HiScore.txt"));
    EXPECT_EQ(random.state(), before) << "no permutation drawn";
}

TEST_F(RaceScoreTest, InitializeSettingPlaysAgainstZeroAndRewritesBothFiles) {
    storeTable({5000, 6000, 7000, 8000, 9000});
    rig.dir.write("Pedalon.ini", "[SCORE]\nINITIALIZE=1\n");
    const SceneOptions options = rig.options();
    ASSERT_TRUE(options.initializeScores);
    rig.state.stageNumber = 1;
    RaceScore score(rig.state, options.initializeScores);
    EXPECT_EQ(score.highScores(), HighScoreTable{});
    EXPECT_EQ(score.modeHighScore(), 0u);
    knockDown(score, 0.0f, 0.0f, 1);
    EXPECT_TRUE(score.newBest());
    Random random(6);
    EXPECT_TRUE(score.saveTable(random).ok());
    EXPECT_EQ(ScoreFile::load(), (HighScoreTable{0, 500, 0, 0, 0}));
    EXPECT_EQ(contentsOf("HiScore.txt"),
              "---HIGH SCORE---\n\nENDLESS 0\nSTAGE1  500\nSTAGE2  0\nSTAGE3  0\nSTAGE4  0\n");
}

TEST_F(RaceScoreTest, SavingWhereTheFilesCannotBeWrittenNamesThem) {
    // Without the data folder only the table itself fails.
    std::filesystem::remove_all(rig.path("Data"));
    auto score = make(3);
    knockDown(*score, 0.0f, 0.0f, 1);
    Random random(8);
    SaveResult result = score->saveTable(random);
    EXPECT_EQ(result.failed, std::vector<std::string>{ScoreFile::kDataPath});
    EXPECT_EQ(contentsOf("HiScore.txt"), ScoreFile::text({0, 0, 0, 500, 0}));

    // A working folder removed from under the game takes no file at all, whoever runs the test.
    TempDir gone;
    ScopedWorkingDir cwd(gone.path());
    std::filesystem::remove_all(gone.path());
    auto lost = make(0);
    knockDown(*lost, 0.0f, 0.0f, 1);
    ASSERT_TRUE(lost->newBest());
    result = lost->saveTable(random);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.failed, (std::vector<std::string>{ScoreFile::kDataPath, ScoreFile::kTextPath}));
}

} // namespace
} // namespace qv::test
