#include "app/ReplayLibrary.h"
#include "replay/ReplayFile.h"
#include "support/BuildPaths.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>

namespace qv {
namespace {

namespace fs = std::filesystem;

fs::path golden(const std::string& name) {
    return test::sourceDir() / "tests" / "replay" / "golden" / name;
}

ReplayRun runOf(ReplayRun::Mode mode, int64_t date,
                std::initializer_list<std::pair<uint32_t, uint32_t>> stages) {
    ReplayRun run;
    run.simulationVersion = ReplayFile::kSimulationVersion;
    run.gameVersion = "1.0.0";
    run.date = date;
    run.mode = mode;
    for (const auto& [number, score] : stages) {
        ReplayStage stage;
        stage.stageNumber = number;
        stage.score = score;
        stage.records.resize(3);
        run.stages.push_back(stage);
    }
    return run;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder))
        names.push_back(item.path().filename().string());
    std::ranges::sort(names);
    return names;
}

TEST(ReplayLibraryTest, RunsAreNamedByDateModeStagesAndScore) {
    const std::regex date(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d)");
    const std::string endless = ReplayLibrary::fileName(runOf(ReplayRun::Mode::Endless, 0, {{0, 7711}}));
    const std::string stages =
        ReplayLibrary::fileName(runOf(ReplayRun::Mode::Stages, 0, {{3, 100}, {4, 200}, {5, 300}}));
    EXPECT_TRUE(std::regex_match(endless.substr(0, 19), date)) << endless;
    EXPECT_EQ(endless.substr(19), "_endless_7711");
    EXPECT_EQ(stages.substr(19), "_stage3-5_600");
}

// The newest runs stay, and so does the best of each mode and stage however old; what is no
// replay is never touched.
TEST(ReplayLibraryTest, PruningKeepsTheNewestAndEveryBest) {
    test::TempDir dir;
    const ReplayLibrary library(dir.file("replays"), 2);
    std::string error;
    using M = ReplayRun::Mode;
    ASSERT_TRUE(library.save(runOf(M::Endless, 1000, {{0, 9000}}), error)) << error;        // best endless
    ASSERT_TRUE(library.save(runOf(M::Stages, 2000, {{1, 50}, {2, 800}}), error)) << error; // best stage 2
    ASSERT_TRUE(library.save(runOf(M::Stages, 3000, {{1, 900}}), error)) << error;          // best stage 1
    ASSERT_TRUE(library.save(runOf(M::Endless, 4000, {{0, 10}}), error)) << error;
    dir.write("replays/notes.qvr", "not a replay");
    ASSERT_TRUE(library.save(runOf(M::Endless, 5000, {{0, 20}}), error)) << error;
    const auto same = library.save(runOf(M::Endless, 5000, {{0, 20}}), error);
    ASSERT_TRUE(same) << error;
    EXPECT_TRUE(same->ends_with("_endless_20-2.qvr")) << *same;

    // Kept: the two newest (5000, 5000), the best endless (1000), stage 2 (2000), stage 1 (3000).
    const auto names = namesIn(dir.path() / "replays");
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(
        std::ranges::count_if(names, [](const std::string& n) { return n.find("_endless_10.") != n.npos; }),
        0);
    EXPECT_NE(std::ranges::find(names, "notes.qvr"), names.end());

    EXPECT_FALSE(ReplayLibrary(dir.write("in-the-way", "") + "/replays", 5)
                     .save(runOf(M::Endless, 1, {{0, 1}}), error));
    EXPECT_NE(error.find("cannot make the folder"), std::string::npos) << error;
}

class ReplayVerifyTest : public ::testing::Test {
  protected:
    test::GameProcess game(std::vector<std::string> args) const {
        return {test::gameBinary(), std::move(args), here.path(), {}};
    }
    test::TempDir here;
};

TEST_F(ReplayVerifyTest, TheGoldenReplaysRideToTheScoresTheyClaim) {
    for (const char* name : {"endless.qvr", "endless-2.qvr", "stages-1-2.qvr"}) {
        const auto result = game({"--verify", golden(name).string()}).run();
        EXPECT_EQ(result.exitCode, 0) << name << ": " << result.output;
        std::string error;
        const auto run = ReplayFile::load(golden(name).string(), error);
        ASSERT_TRUE(run) << error;
        const std::string expected = "score " + std::to_string(run->score()) + ", knock-downs " +
                                     std::to_string(run->knockDowns()) + ", ticks " +
                                     std::to_string(run->ticks());
        EXPECT_NE(result.output.find(expected), std::string::npos) << result.output;
    }
}

// One input byte changed, another simulation, another field, a damaged file: each is told.
TEST_F(ReplayVerifyTest, ATamperedReplayFailsAndOneThatCannotBeUsedSaysWhy) {
    std::string bytes;
    {
        std::ifstream in(golden("endless.qvr"), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t records = ReplayFile::kHeaderBytes + ReplayFile::kStageEntryBytes;
    auto variant = [&](const std::string& name, size_t at, char value) {
        std::string changed = bytes;
        changed[at] = value;
        return here.write(name, changed);
    };
    // A jump at record 500 (the fourth byte), where the rider only pedalled.
    const auto tampered = game({"--verify", variant("tampered.qvr", records + 500 * 12 + 3, 1)}).run();
    EXPECT_EQ(tampered.exitCode, 1) << tampered.output;
    EXPECT_NE(tampered.output.find("claims score 7711"), std::string::npos) << tampered.output;

    const auto newer = game({"--verify", variant("newer.qvr", 12, 9)}).run();
    EXPECT_EQ(newer.exitCode, 2) << newer.output;
    EXPECT_NE(newer.output.find("simulation version 9 (game 1.0.0); this game rides version 1"),
              std::string::npos)
        << newer.output;

    const auto otherField = game({"--verify", variant("field.qvr", ReplayFile::kHeaderBytes + 8, 1)}).run();
    EXPECT_EQ(otherField.exitCode, 2) << otherField.output;
    EXPECT_NE(otherField.output.find("another field"), std::string::npos) << otherField.output;

    const auto cut = game({"--verify", here.write("cut.qvr", bytes.substr(0, 1000))}).run();
    EXPECT_EQ(cut.exitCode, 2) << cut.output;
    EXPECT_NE(cut.output.find("cut.qvr: the stage table claims"), std::string::npos) << cut.output;
}

// A stage run of two stages is one replay of both, and rides again to the same scores.
TEST_F(ReplayVerifyTest, AStageRunOfTwoStagesIsKeptWholeAndRidesAgain) {
    here.write("keys.txt", "300 down RIGHT\n302 up RIGHT\n320 down RETURN\n325 up RETURN\n");
    const auto played = game({"--headless", "--autopilot", "--seed", "2", "--keys", "keys.txt", "--ticks",
                              "4600", "--user-dir", here.file("player")})
                            .run();
    ASSERT_EQ(played.exitCode, 0) << played.output;
    const auto names = namesIn(here.path() / "player" / "replays");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].find("_stage1-2_") != std::string::npos) << names[0];
    const std::string path = (here.path() / "player" / "replays" / names[0]).string();
    std::string error;
    const auto run = ReplayFile::load(path, error);
    ASSERT_TRUE(run) << error;
    ASSERT_EQ(run->stages.size(), 2u);
    EXPECT_EQ(run->stages[0].knockDowns, 5u) << "five knock-downs clear a stage";
    const auto verified = game({"--verify", path}).run();
    EXPECT_EQ(verified.exitCode, 0) << verified.output;
}

// The replay comes after the run's other files: a replays/ that cannot be made costs nothing else.
TEST_F(ReplayVerifyTest, AReplayThatCannotBeSavedIsToldAndTheRunsOtherFilesAreKept) {
    here.write("keys.txt", "2 down RETURN\n3 up RETURN\n10 down RETURN\n11 up RETURN\n2200 down RETURN\n");
    here.write("player/replays", "a file in the way");
    const auto played = game({"--headless", "--autopilot", "--seed", "7", "--keys", "keys.txt", "--ticks",
                              "2300", "--user-dir", here.file("player")})
                            .run();
    EXPECT_EQ(played.exitCode, 0) << played.output;
    EXPECT_NE(played.output.find("could not save the run's replay: " + here.file("player/replays") +
                                 " is not a folder"),
              std::string::npos)
        << played.output;
    EXPECT_TRUE(fs::exists(here.path() / "player" / "score.dat"));
    EXPECT_TRUE(fs::exists(here.path() / "player" / "demo.dat"));
}

} // namespace
} // namespace qv
