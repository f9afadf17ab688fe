#include "app/TraceReader.h"
#include "support/BestRunReplay.h"
#include "support/BuildPaths.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

// The game binary of this build, run from a folder that is not its own.
struct StartingTheGame : ::testing::Test {
    test::GameProcess game(std::vector<std::string> args) const {
        return {test::gameBinary(), std::move(args), elsewhere.path(), {}};
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
    const auto before = test::filesWithTimes(gameFolder);
    const fs::path mine = elsewhere.path() / "mine";
    test::playABestRunThenSeeItReplayed(game({"--user-dir", "mine"}));
    for (const char* name : {"demo.dat", "dgoal.dat", "score.dat", "HiScore.txt"})
        EXPECT_TRUE(fs::is_regular_file(mine / name)) << name;
    EXPECT_EQ(test::filesWithTimes(gameFolder), before) << "nothing written in the game's folder";
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
