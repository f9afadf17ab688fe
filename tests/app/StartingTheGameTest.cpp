#include "app/TraceReader.h"
#include "support/BuildPaths.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

// Skips the logo, starts an endless run with the autopilot riding, abandons it at tick 2200
// with a score: a new best for a player without scores.
constexpr const char* kBestRun =
    "2 down RETURN\n3 up RETURN\n10 down RETURN\n11 up RETURN\n2200 down RETURN\n2201 up RETURN\n";
constexpr uint32_t kBestRunTicks = 2300;

// Every file below folder with its size and time, to see that a run wrote nothing there.
std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> snapshot(const fs::path& folder) {
    std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().string()] = {entry.file_size(), entry.last_write_time()};
    return files;
}

// The game binary of this build, run from a folder that is not its own.
struct StartingTheGame : ::testing::Test {
    test::GameProcess game(std::vector<std::string> args) const {
        return {test::gameBinary(), std::move(args), elsewhere.path(), {}};
    }
    // The player's best run, then a fresh start that shows the attract demo: the demo rides the
    // run tick for tick when the game found the recording it wrote.
    void playABestRunThenSeeItReplayed(test::GameProcess process) const {
        const std::string keys = elsewhere.write("keys.txt", kBestRun);
        const auto base = process.args;
        process.args.insert(process.args.end(),
                            {"--headless", "--autopilot", "--seed", "7", "--keys", keys, "--ticks",
                             std::to_string(kBestRunTicks), "--trace", "run.jsonl"});
        auto result = process.run();
        ASSERT_EQ(result.exitCode, 0) << result.output;
        process.args = base;
        process.args.insert(process.args.end(), {"--headless", "--ticks", "1500", "--trace", "demo.jsonl"});
        result = process.run();
        ASSERT_EQ(result.exitCode, 0) << result.output;

        const auto run = readTrace(elsewhere.file("run.jsonl"));
        const auto demo = readTrace(elsewhere.file("demo.jsonl"));
        size_t begin = 0, shown = 0;
        while (begin < run.size() && !(run[begin].director == 3 && !run[begin].demo))
            ++begin;
        while (shown < demo.size() && demo[shown].director != 1)
            ++shown;
        size_t compared = 0;
        auto bothRiding = [&](size_t k) {
            return begin + k < run.size() && shown + k < demo.size() && run[begin + k].director == 3 &&
                   demo[shown + k].director == 1;
        };
        for (size_t k = 1; bothRiding(k); ++k) {
            ASSERT_TRUE(run[begin + k].riderPos && demo[shown + k].riderPos);
            ASSERT_EQ(*run[begin + k].riderPos, *demo[shown + k].riderPos) << "tick " << k << " of the scene";
            ++compared;
        }
        EXPECT_GT(compared, 1000u);
    }

    test::TempDir elsewhere;
};

TEST_F(StartingTheGame, FromAnotherFolderItFindsItsFilesAndWritesTheTraceWhereAsked) {
    const auto result = game({"--headless", "--seed", "1", "--ticks", "40", "--trace", "trace.jsonl"}).run();
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(readTrace(elsewhere.file("trace.jsonl")).size(), 41u);
    EXPECT_FALSE(fs::exists(elsewhere.path() / "error.log"));
    EXPECT_FALSE(fs::exists(test::gameBinary().parent_path() / "trace.jsonl"));
}

TEST_F(StartingTheGame, TellsItsVersionAndTheFoldersItWouldUse) {
    auto result = game({"--version"}).run();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output.rfind("qorvex 1.", 0), 0u) << result.output;
    result = game({"--help"}).run();
    EXPECT_EQ(result.exitCode, 0);
    const fs::path folder = test::gameBinary().parent_path();
    for (const std::string& expected :
         std::vector<std::string>{"--user-dir DIR", "--content-dir DIR", "content:  " + folder.string(),
                                  "settings: " + (folder / "Pedalon.ini").string()})
        EXPECT_NE(result.output.find(expected), std::string::npos) << expected << " in\n" << result.output;
}

// The game's own folder is only read; scores and recordings go to the chosen folder, and the
// next start plays the player's best run as its demo.
TEST_F(StartingTheGame, AChosenUserFolderKeepsThePlayersFilesAndItsBestRunIsTheNextDemo) {
    const fs::path gameFolder = test::gameBinary().parent_path();
    const auto before = snapshot(gameFolder);
    const fs::path mine = elsewhere.path() / "mine";
    playABestRunThenSeeItReplayed(game({"--user-dir", "mine"}));
    for (const char* name : {"demo.dat", "dgoal.dat", "score.dat", "HiScore.txt"})
        EXPECT_TRUE(fs::is_regular_file(mine / name)) << name;
    EXPECT_EQ(snapshot(gameFolder), before) << "nothing written in the game's folder";
}

TEST_F(StartingTheGame, BadFoldersAreNamedBeforeAnythingStarts) {
    const std::string notAFolder = elsewhere.write("file", "");
    auto result = game({"--headless", "--user-dir", notAFolder + "/qorvex"}).run();
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.output.find(notAFolder + "/qorvex"), std::string::npos) << result.output;

    fs::create_directories(elsewhere.path() / "empty/Data");
    result = game({"--headless", "--content-dir", "empty", "--user-dir", "mine"}).run();
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.output.find("Data/tex/zem.dds"), std::string::npos) << result.output;

    // Chosen content and no home for the player's files: no guessing.
    auto homeless = game({"--headless", "--content-dir", test::gameBinary().parent_path().string()});
    homeless.environment = {
        {"HOME", std::nullopt}, {"XDG_DATA_HOME", std::nullopt}, {"XDG_CONFIG_HOME", "cfg"}};
    result = homeless.run();
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.output.find("--user-dir"), std::string::npos) << result.output;
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(elsewhere.path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"empty", "file"})) << "no folder made for nothing";
}

// A relative XDG folder is ignored for the default below HOME.
TEST_F(StartingTheGame, ARelativeXdgFolderIsIgnored) {
    auto process =
        game({"--headless", "--ticks", "5", "--content-dir", test::gameBinary().parent_path().string()});
    process.environment = {{"HOME", elsewhere.path().string()}, {"XDG_DATA_HOME", "share"}};
    const auto result = process.run();
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_TRUE(fs::is_directory(elsewhere.path() / ".local/share/qorvex"));
    EXPECT_FALSE(fs::exists(elsewhere.path() / "share"));
}

} // namespace
} // namespace qv
