#include "core/FilePaths.h"
#include "support/TempDir.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv {
namespace {

TEST(FilePaths, ResolvesEveryComponentWithoutRegardToCase) {
    test::TempDir dir;
    dir.write("Data/wave/Ready.wav", "x");
    test::ScopedWorkingDir cwd(dir.path());
    EXPECT_EQ(resolvePath("./data/wave/ready.WAV"), "./Data/wave/Ready.wav");
    EXPECT_EQ(resolvePath("./Data/wave/Ready.wav"), "./Data/wave/Ready.wav");
    EXPECT_EQ(resolvePath(dir.file("DATA/WAVE/READY.wav")), dir.file("Data/wave/Ready.wav"));
    // Nothing matches: the path comes back as it was.
    EXPECT_EQ(resolvePath("./data/wave/missing.wav"), "./data/wave/missing.wav");
    EXPECT_EQ(resolvePath("./nowhere/x"), "./nowhere/x");
}

TEST(FilePaths, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    test::TempDir dir;
    std::string path = dir.write("score.dat", "old");
    ASSERT_TRUE(writeFileAtomically(path, "new contents", 12));
    std::string read;
    ASSERT_TRUE(readFile(path, read));
    EXPECT_EQ(read, "new contents");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(FilePaths, AtomicWriteFindsTheFolderWhateverItsCase) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Data");
    test::ScopedWorkingDir cwd(dir.path());
    ASSERT_TRUE(writeFileAtomically("./data/score.dat", "abc", 3));
    std::string read;
    EXPECT_TRUE(readFile("./Data/score.dat", read));
    EXPECT_EQ(read, "abc");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "data"));
}

TEST(FilePaths, AFailedWriteKeepsTheOldFile) {
    test::TempDir dir;
    std::string path = dir.write("demo.dat", "old");
    // The target is a folder now: the rename fails and nothing is lost.
    std::filesystem::create_directories(dir.path() / "busy");
    EXPECT_FALSE(writeFileAtomically(dir.file("busy"), "x", 1));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "busy"));
    EXPECT_FALSE(writeFileAtomically(dir.file("no/such/folder/demo.dat"), "x", 1));
    std::string read;
    ASSERT_TRUE(readFile(path, read));
    EXPECT_EQ(read, "old");
}

TEST(FilePaths, ReadingAFolderOrAMissingFileFails) {
    test::TempDir dir;
    std::string out = "unchanged";
    EXPECT_FALSE(readFile(dir.path().string(), out));
    EXPECT_FALSE(readFile(dir.file("missing"), out));
    EXPECT_EQ(out, "unchanged");
}

// The temporary file was "<file>.tmp<PID>", opened with truncation: a link planted there had
// its target overwritten. Now the name cannot be guessed and the file is made exclusively.
TEST(FilePaths, AtomicWriteNeverWritesThroughAPlantedTemporaryName) {
    test::TempDir dir;
    const std::string target = dir.write("precious.txt", "keep me");
    const std::string path = dir.file("score.dat");
    std::filesystem::create_symlink(target, path + ".tmp" + std::to_string(::getpid()));
    ASSERT_TRUE(writeFileAtomically(path, "new", 3));
    std::string text;
    ASSERT_TRUE(readFile(target, text));
    EXPECT_EQ(text, "keep me");
    ASSERT_TRUE(readFile(path, text));
    EXPECT_EQ(text, "new");
}

// A player's file kept elsewhere through a link was replaced by a plain file, the link lost. The
// file it names is now replaced, and the link stays; a link to no regular file is replaced.
TEST(FilePaths, AtomicWriteKeepsAPlayersLinkToARegularFile) {
    test::TempDir dir;
    const std::string kept = dir.write("cloud/score.dat", "old table");
    const std::string path = dir.write("Data/score.dat", "");
    std::filesystem::remove(path);
    std::filesystem::create_symlink(kept, path);
    ASSERT_TRUE(writeFileAtomically(path, "new table", 9));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    std::string text;
    ASSERT_TRUE(readFile(kept, text));
    EXPECT_EQ(text, "new table");
    EXPECT_EQ(removeStaleTemporaries(dir.file("cloud")).size(), 0u) << "its temporary went";

    const std::string device = dir.file("Data/odd.dat");
    std::filesystem::create_symlink("/dev/null", device);
    ASSERT_TRUE(writeFileAtomically(device, "x", 1));
    EXPECT_FALSE(std::filesystem::is_symlink(device));
}

// Rewriting reset a file to 0644; the player's own permissions now stay.
TEST(FilePaths, AtomicWriteKeepsTheOldFilesPermissions) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    const std::string path = dir.write("HiScore.txt", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeFileAtomically(path, "new", 3));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    const std::string fresh = dir.file("fresh.txt");
    ASSERT_TRUE(writeFileAtomically(fresh, "x", 1));
    EXPECT_EQ(static_cast<mode_t>(fs::status(fresh).permissions() & fs::perms::all), 0644 & ~currentUmask());
}

// A killed game's temporary files go at the next start; a running game's stay.
TEST(FilePaths, StaleTemporariesOfGamesThatAreGoneAreRemoved) {
    test::TempDir dir;
    const std::string gone = dir.write("demo.dat.tmp999999999AbC123", "half a recording");
    // The random part starting with digits, as it does one time in six.
    const std::string digits = dir.write("score.dat.tmp9999999997yVbkN", "half a table");
    const std::string mine = dir.write("demo.dat.tmp" + std::to_string(::getpid()) + "AbC123", "in progress");
    const std::string other = dir.write("notes.tmp.txt", "a player's file");
    auto removed = removeStaleTemporaries(dir.path().string());
    std::ranges::sort(removed);
    EXPECT_EQ(removed, (std::vector<std::string>{gone, digits}));
    EXPECT_FALSE(std::filesystem::exists(gone));
    EXPECT_TRUE(std::filesystem::exists(mine));
    EXPECT_TRUE(std::filesystem::exists(other));
}

// A file-size limit killed the game mid-write (SIGXFSZ); with the signal ignored, as the game
// does, the write fails, is reported, and the old file stays whole.
TEST(FilePaths, AWriteBeyondTheFileSizeLimitFailsAndKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.write("demo.dat", "the old recording");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string big(5000, 'x');
        std::string text;
        const bool ok = !writeFileAtomically(path, big.data(), big.size()) && readFile(path, text) &&
                        text == "the old recording";
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(removeStaleTemporaries(dir.path().string()).size(), 0u) << "no temporary left behind";
}

} // namespace
} // namespace qv
