#include "race/ScoreFile.h"

#include "core/FilePaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace qv::test {
namespace {

const HighScoreTable kTable{123456, 7, 0x01020304, 99999, 0xF0000001};

// The table stored unscrambled: every index byte names its own position.
std::string unscrambled(const HighScoreTable& table, uint32_t checkSum) {
    std::string bytes(44, '\0');
    auto put = [&](size_t at, uint32_t word) {
        for (size_t i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(word >> (8 * i));
    };
    for (size_t j = 0; j < 5; ++j) {
        put(8 * j, table[j]);
        put(8 * j + 4, 0x03020100u + 0x04040404u * static_cast<uint32_t>(j));
    }
    put(40, checkSum);
    return bytes;
}

TEST(ScoreFileTest, CheckSumAddsTheLow28BitsOfEachEntryWrapping) {
    EXPECT_EQ(ScoreFile::checkSum({1, 2, 3, 4, 0xF0000005}), 15u);
    EXPECT_EQ(ScoreFile::checkSum({0x0FFFFFFF, 0x0FFFFFFF, 0x0FFFFFFF, 0x0FFFFFFF, 0x0FFFFFFF}), 0x4FFFFFFBu);
}

TEST(ScoreFileTest, ReadsTheRecordLayoutByteForByte) {
    std::string bytes = unscrambled(kTable, 0x01020304u + 123456u + 7u + 99999u + 1u);
    EXPECT_EQ(ScoreFile::decode(bytes), kTable);
    std::swap(bytes[0], bytes[33]); // two data bytes swapped with their index bytes
    std::swap(bytes[4], bytes[37]);
    EXPECT_EQ(ScoreFile::decode(bytes), kTable);
}

TEST(ScoreFileTest, EveryWriteScramblesAnewAndDecodesToTheSameTable) {
    Random random(2024), again(2024);
    const std::string first = ScoreFile::encode(kTable, random);
    const std::string second = ScoreFile::encode(kTable, random);
    EXPECT_EQ(ScoreFile::encode(kTable, again), first); // scrambled by the game's generator
    EXPECT_NE(first, second);
    for (const std::string& file : {first, second}) {
        ASSERT_EQ(file.size(), 44u);
        EXPECT_EQ(ScoreFile::decode(file), kTable);
        std::string index;
        for (size_t i = 0; i < 20; ++i)
            index += file[8 * (i / 4) + 4 + i % 4];
        std::ranges::sort(index);
        for (size_t i = 0; i < 20; ++i)
            EXPECT_EQ(index[i], static_cast<char>(i)); // a permutation of 0..19
    }
}

TEST(ScoreFileTest, DamagedFilesGiveAnEmptyTable) {
    Random random(5);
    const std::string good = ScoreFile::encode(kTable, random);
    auto damaged = [&](size_t at, char value) {
        std::string bytes = good;
        bytes[at] = value;
        return ScoreFile::decode(bytes);
    };
    const HighScoreTable empty{};
    EXPECT_EQ(damaged(41, static_cast<char>(good[41] ^ 1)), empty); // check sum
    EXPECT_EQ(damaged(0, static_cast<char>(good[0] + 1)), empty);   // an entry
    for (char index : {char(20), char(-1), char(0x7F)})
        EXPECT_EQ(damaged(39, index), empty) << int(index); // the last index byte read
    // A stray index on a zero byte would otherwise go unnoticed by the check sum.
    std::string stray = unscrambled({5, 6, 7, 8, 9}, 35);
    stray[39] = 20;
    EXPECT_EQ(ScoreFile::decode(stray), empty);
    EXPECT_EQ(ScoreFile::decode(good.substr(0, 43)), empty);
    EXPECT_EQ(ScoreFile::decode(good + '\0'), empty);
}

TEST(ScoreFileTest, TextCopyListsTheFiveEntriesAsTheyAreAlsoPastTwoBillion) {
    EXPECT_EQ(
        ScoreFile::text({52000, 1, 0, 4294967295u, 2147483648u}),
        "---HIGH SCORE---\n\nENDLESS 52000\nSTAGE1  1\nSTAGE2  0\nSTAGE3  4294967295\nSTAGE4  2147483648\n");
}

TEST(ScoreFileTest, SavedFilesLoadBackWhateverTheFolderCase) {
    TempDir dir;
    ScopedWorkingDir cwd(dir.path());
    EXPECT_EQ(ScoreFile::load(), HighScoreTable{});
    Random random(9);
    ScoreFile::save(kTable, random); // no data folder: only the text is written
    EXPECT_FALSE(std::filesystem::exists("Data/score.dat"));
    std::filesystem::create_directories("data");
    ScoreFile::save(kTable, random);
    EXPECT_TRUE(std::filesystem::exists("data/score.dat"));
    EXPECT_EQ(ScoreFile::load(), kTable);
    std::string text;
    ASSERT_TRUE(readFile("HiScore.txt", text));
    EXPECT_EQ(text, ScoreFile::text(kTable));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("data"), {}), 1); // no temporary left
}

// Each save keeps the table before it, so one damaged file never costs the records.
TEST(ScoreFileTest, ASaveKeepsTheSoundTableBeforeItAsThePreviousGeneration) {
    TempDir dir;
    Random random(3);
    const std::string data = dir.file("score.dat");
    const std::string text = dir.file("HiScore.txt");
    ASSERT_TRUE(ScoreFile::save({100, 0, 0, 0, 0}, random, data, text).ok());
    EXPECT_FALSE(std::filesystem::exists(data + ".prev")) << "nothing before the first";
    ASSERT_TRUE(ScoreFile::save({200, 0, 0, 0, 0}, random, data, text).ok());
    EXPECT_EQ(ScoreFile::load(data + ".prev")[0], 100u);
    dir.write("score.dat", "damaged");
    ASSERT_TRUE(ScoreFile::save({300, 0, 0, 0, 0}, random, data, text).ok());
    EXPECT_EQ(ScoreFile::load(data + ".prev")[0], 100u) << "a damaged file never replaces a sound backup";
}

// One flipped bit made the table read as empty, and the next run, however poor, replaced every
// record. The damaged file is now set aside and the previous table put back.
TEST(ScoreFileTest, ADamagedTableIsSetAsideAndThePreviousOneComesBack) {
    TempDir dir;
    Random random(3);
    const std::string data = dir.file("score.dat");
    const std::string text = dir.file("HiScore.txt");
    EXPECT_EQ(ScoreFile::recover(data, text), "") << "no file, nothing to do";
    ASSERT_TRUE(ScoreFile::save({5000, 40, 30, 20, 10}, random, data, text).ok());
    ASSERT_TRUE(ScoreFile::save({7711, 40, 30, 20, 10}, random, data, text).ok());
    EXPECT_EQ(ScoreFile::recover(data, text), "") << "a sound file is left alone";

    std::string bytes;
    ASSERT_TRUE(readFile(data, bytes));
    bytes[0] ^= 0x04;
    dir.write("score.dat", bytes);
    const std::string message = ScoreFile::recover(data, text);
    EXPECT_NE(message.find("is damaged"), std::string::npos) << message;
    EXPECT_NE(message.find("the table of the save before is back"), std::string::npos) << message;
    EXPECT_EQ(ScoreFile::load(data), (HighScoreTable{5000, 40, 30, 20, 10}));
    std::string readable;
    ASSERT_TRUE(readFile(text, readable));
    EXPECT_NE(readable.find("ENDLESS 5000"), std::string::npos);
    size_t kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("score.dat.damaged-")) {
            std::string aside;
            ASSERT_TRUE(readFile(entry.path().string(), aside));
            EXPECT_EQ(aside, bytes) << "kept as it was";
            ++kept;
        }
    }
    EXPECT_EQ(kept, 1u);

    std::filesystem::remove(data + ".prev");
    dir.write("score.dat", "garbage");
    EXPECT_NE(ScoreFile::recover(data, text).find("the table starts empty"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(data));
}

// A save stopped between its two files left HiScore.txt showing the table before; the next
// scene's start writes it again from score.dat. A missing one stays missing.
TEST(ScoreFileTest, AReadableCopyBehindTheTableIsWrittenAgain) {
    TempDir dir;
    Random random(5);
    const std::string data = dir.file("score.dat");
    const std::string text = dir.file("HiScore.txt");
    ASSERT_TRUE(ScoreFile::save({1000, 0, 0, 0, 0}, random, data, text).ok());
    const std::string behind = ScoreFile::text({1000, 0, 0, 0, 0});
    ASSERT_TRUE(ScoreFile::save({7711, 0, 0, 0, 0}, random, data, text).ok());
    dir.write("HiScore.txt", behind);
    EXPECT_NE(ScoreFile::recover(data, text).find("it is written again"), std::string::npos);
    std::string readable;
    ASSERT_TRUE(readFile(text, readable));
    EXPECT_EQ(readable, ScoreFile::text({7711, 0, 0, 0, 0}));
    EXPECT_EQ(ScoreFile::recover(data, text), "") << "a matching copy is left alone";
    std::filesystem::remove(text);
    EXPECT_EQ(ScoreFile::recover(data, text), "");
    EXPECT_FALSE(std::filesystem::exists(text));
}

} // namespace
} // namespace qv::test
