#include "core/FilePaths.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

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

} // namespace
} // namespace qv
