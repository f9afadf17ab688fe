#include "app/GameFolders.h"
#include "assets/DataFiles.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

// Empty stand-ins for every content file below folder (in folder/Data), or only the first field.
void makeContent(const test::TempDir& dir, const std::string& folder, bool whole = true) {
    for (const std::string& name : whole ? data::contentFiles() : std::vector{data::fieldFile(0)})
        dir.write((fs::path(folder) / name).lexically_normal().string(), "");
}

// An installed tree below root: prefix/games/qorvex and prefix/share/games/qorvex/Data, with a
// home folder, started from an unrelated working directory.
struct InstalledTree {
    InstalledTree() {
        makeContent(root, "usr/share/games/qorvex");
        root.write("usr/games/qorvex", "");
        fs::create_directories(root.path() / "home" / "player");
        fs::create_directories(root.path() / "elsewhere");
    }
    GameFolders::Request request() const {
        GameFolders::Request r;
        r.workingDirectory = root.path() / "elsewhere";
        r.executable = root.path() / "usr/games/qorvex";
        r.installedContent = "../share/games/qorvex";
        r.home = (root.path() / "home/player").string();
        return r;
    }
    fs::path home() const { return root.path() / "home/player"; }
    test::TempDir root;
};

std::optional<GameFolders> locate(const GameFolders::Request& request) {
    std::string error;
    auto folders = GameFolders::locate(request, error);
    EXPECT_TRUE(folders || !error.empty());
    return folders;
}

TEST(GameFolders, APortableGameIsTheWorkingFolderOrTheBinarysWhicheverHoldsTheGame) {
    test::TempDir game, elsewhere;
    GameFolders::Request request;
    request.workingDirectory = elsewhere.path();
    request.executable = game.path() / "qorvex";
    request.installedContent = "../share/qorvex";
    std::string error;
    EXPECT_FALSE(GameFolders::locate(request, error));
    EXPECT_NE(error.find("Data/Field0.dat"), std::string::npos) << error;
    EXPECT_NE(error.find(elsewhere.path().string()), std::string::npos) << "names where it looked: " << error;

    // A Data folder alone is not the game's (a player's own ~/Data must not pass for it).
    fs::create_directories(elsewhere.path() / "Data");
    game.write("data/field0.dat", "");
    auto folders = locate(request);
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->mode(), GameFolders::Mode::Portable);
    EXPECT_EQ(folders->content(), game.path()) << "found from the binary, whatever the case of data/";
    EXPECT_TRUE(folders->files().portable());
    EXPECT_EQ(folders->files().scoreTable(), "./Data/score.dat") << "the files keep their old names";
    EXPECT_EQ(folders->files().settings(), "./Pedalon.ini");

    // A working folder that holds a game wins: the same binary run on another copy's content.
    makeContent(elsewhere, ".", false);
    EXPECT_EQ(locate(request)->content(), elsewhere.path());
}

TEST(GameFolders, AnInstalledGameReadsItsContentNextToTheBinaryAndKeepsThePlayersFilesInXdgFolders) {
    InstalledTree tree;
    auto request = tree.request();
    auto folders = locate(request);
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->mode(), GameFolders::Mode::Installed);
    EXPECT_EQ(folders->content(), tree.root.path() / "usr/share/games/qorvex");
    const PlayerFiles& files = folders->files();
    EXPECT_FALSE(files.portable());
    EXPECT_EQ(files.settings(), (tree.home() / ".config/qorvex/Pedalon.ini").string());
    const fs::path saves = tree.home() / ".local/share/qorvex";
    for (const std::string& path :
         {files.scoreTable(), files.scoreText(), files.bestRide(), files.bestGoals(), files.lastRide(),
          files.lastGoals(), files.errorLog(), files.windowState(), files.screenshots()})
        EXPECT_EQ(fs::path(path).parent_path(), saves) << path;
    EXPECT_EQ(fs::path(files.bestRide()).filename(), "demo.dat");
    EXPECT_EQ(fs::path(files.scoreText()).filename(), "HiScore.txt");

    // Absolute XDG folders are taken; empty or relative ones are ignored, as the XDG rules say.
    request.configHome = (tree.root.path() / "cfg").string();
    request.dataHome = (tree.root.path() / "share").string();
    folders = locate(request);
    EXPECT_EQ(folders->files().settings(), (tree.root.path() / "cfg/qorvex/Pedalon.ini").string());
    EXPECT_EQ(fs::path(folders->files().scoreTable()).parent_path(), tree.root.path() / "share/qorvex");
    request.configHome = "";
    request.dataHome = "relative/share";
    folders = locate(request);
    EXPECT_EQ(folders->files().settings(), (tree.home() / ".config/qorvex/Pedalon.ini").string());
    EXPECT_EQ(fs::path(folders->files().scoreTable()).parent_path(), saves);

    // No usable HOME and no absolute XDG folder: a clear error, no guess.
    for (const char* home : {"", "relative/home"}) {
        request.home = home;
        std::string error;
        EXPECT_FALSE(GameFolders::locate(request, error)) << home;
        EXPECT_NE(error.find("--user-dir"), std::string::npos) << error;
    }
}

TEST(GameFolders, ChosenFoldersOverrideTheFoundOnes) {
    InstalledTree tree;
    auto request = tree.request();
    // A user folder (relative to the working folder) holds the settings too.
    request.userDir = "mine";
    auto folders = locate(request);
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->mode(), GameFolders::Mode::Installed);
    const fs::path mine = tree.root.path() / "elsewhere/mine";
    EXPECT_EQ(folders->files().settings(), (mine / "Pedalon.ini").string());
    EXPECT_EQ(folders->files().errorLog(), (mine / "error.log").string());

    // A portable game's files go there too, by their bare names.
    makeContent(tree.root, "elsewhere", false);
    folders = locate(request);
    EXPECT_EQ(folders->mode(), GameFolders::Mode::Portable);
    EXPECT_FALSE(folders->files().portable());
    EXPECT_EQ(folders->files().scoreTable(), (mine / "score.dat").string());

    // A chosen content folder is taken as it is; the player's files stay in the XDG folders.
    request.userDir.clear();
    request.contentDir = (tree.root.path() / "usr/share/games/qorvex").string();
    folders = locate(request);
    EXPECT_EQ(folders->mode(), GameFolders::Mode::Chosen);
    EXPECT_EQ(folders->content(), tree.root.path() / "usr/share/games/qorvex");
    EXPECT_EQ(fs::path(folders->files().bestRide()).parent_path(), tree.home() / ".local/share/qorvex");
}

TEST(GameFolders, PreparingMakesThePlayersFolderOwnerOnlyAndNamesWhatIsWrong) {
    InstalledTree tree;
    auto request = tree.request();
    auto folders = locate(request);
    std::string error;
    ASSERT_TRUE(folders->prepare(error)) << error;
    for (const char* made : {".local", ".local/share", ".local/share/qorvex"}) {
        const auto perms = fs::status(tree.home() / made).permissions();
        EXPECT_EQ(perms & fs::perms::all, fs::perms::owner_all) << made;
    }
    EXPECT_FALSE(fs::exists(tree.home() / ".config")) << "nothing is written there yet";
    EXPECT_TRUE(folders->prepare(error)) << "again, with the folder there: " << error;

    // A user folder that cannot be made (below a file) is named.
    request.userDir = tree.root.write("a-file", "") + "/qorvex";
    folders = locate(request);
    EXPECT_FALSE(folders->prepare(error));
    EXPECT_NE(error.find(request.userDir), std::string::npos) << error;

    // An installed content folder missing a file names the file before anything is made.
    fs::remove(tree.root.path() / "usr/share/games/qorvex/Data/x/tricycle.x");
    request.userDir = (tree.root.path() / "never-made").string();
    folders = locate(request);
    EXPECT_FALSE(folders->prepare(error));
    EXPECT_NE(error.find("Data/x/tricycle.x"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(request.userDir));
}

TEST(GameFolders, APortableGameNeedsItsOwnFoldersWritable) {
    test::TempDir game;
    makeContent(game, ".", false);
    GameFolders::Request request;
    request.workingDirectory = game.path();
    auto folders = locate(request);
    std::string error;
    EXPECT_TRUE(folders->prepare(error)) << error;
    // The scores go into Data: when that cannot take them, the player hears of it before a run.
    fs::remove_all(game.path() / "Data");
    game.write("Data", "");
    EXPECT_FALSE(folders->prepare(error));
    EXPECT_NE(error.find((game.path() / "Data").string()), std::string::npos) << error;
}

TEST(PlayerFiles, TheAttractDemoIsThePlayersBestRideOnceThereIsOne) {
    test::TempDir user;
    const PlayerFiles files = PlayerFiles::separate(user.path(), user.path());
    EXPECT_EQ(files.attractDemo().ride, data::kDemoRecording) << "the built-in demo first";
    EXPECT_EQ(files.attractDemo().goals, data::kDemoGoals);
    user.write("demo.dat", "x");
    EXPECT_EQ(files.attractDemo().ride, files.bestRide());
    EXPECT_EQ(files.attractDemo().goals, files.bestGoals());
    // A portable game's best ride is the demo in its own folder.
    EXPECT_EQ(PlayerFiles().attractDemo().ride, data::kDemoRecording);
}

} // namespace
} // namespace qv
