#include "app/CommandLine.h"
#include "app/ErrorLog.h"
#include "core/FilePaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace qv {
namespace {

std::optional<CommandLine> parse(std::vector<std::string> args, std::string* errorOut = nullptr) {
    std::string error;
    auto result = CommandLine::parse(args, error);
    if (errorOut)
        *errorOut = error;
    return result;
}

TEST(CommandLine, ReadsEveryHeadlessOption) {
    auto cl =
        parse({"--headless", "--gl", "--ticks", "400", "--seed", "7", "--keys", "k.txt", "--trace", "t.jsonl",
               "--autopilot", "--screenshot-at", "60:a.png", "--screenshot-at", "130:b.png"});
    ASSERT_TRUE(cl);
    EXPECT_TRUE(cl->headless && cl->gl && cl->autopilot);
    EXPECT_EQ(cl->ticks, 400u);
    EXPECT_EQ(cl->seed, 7u);
    EXPECT_EQ(cl->keysFile, "k.txt");
    EXPECT_EQ(cl->traceFile, "t.jsonl");
    ASSERT_EQ(cl->screenshots.size(), 2u);
    EXPECT_EQ(cl->screenshots[1].tick, 130u);
    EXPECT_EQ(cl->screenshots[1].path, "b.png");
}

TEST(CommandLine, RejectsBadArgumentsWithAMessage) {
    std::string error;
    EXPECT_FALSE(parse({"--ticks"}, &error));
    EXPECT_NE(error.find("--ticks"), std::string::npos);
    EXPECT_FALSE(parse({"--ticks", "-3"}, &error));
    EXPECT_FALSE(parse({"--ticks", "12x"}, &error));
    EXPECT_FALSE(parse({"--ticks", "0"}, &error)) << "zero ticks would still run one";
    EXPECT_NE(error.find("from 1"), std::string::npos) << error;
    EXPECT_FALSE(parse({"--frobnicate"}, &error));
    EXPECT_NE(error.find("--frobnicate"), std::string::npos);
    EXPECT_FALSE(parse({"--screenshot-at", "a.png"}, &error));
    EXPECT_FALSE(parse({"--screenshot-at", "0:a.png"}, &error));
    EXPECT_FALSE(parse({"--gl"}, &error));
    // A screenshot needs something that really draws.
    EXPECT_FALSE(parse({"--headless", "--screenshot-at", "5:a.png"}, &error));
    EXPECT_TRUE(parse({"--screenshot-at", "5:a.png"}));
}

TEST(ErrorLog, LineIsDateTimeAndMessage) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 4;
    when.tm_hour = 7;
    when.tm_min = 5;
    when.tm_sec = 9;
    when.tm_isdst = -1;
    std::time_t t = std::mktime(&when);
    EXPECT_EQ(formatErrorLine("ERROR : Direct3D", t), "03/04/26 07:05:09 ERROR : Direct3D\n");
}

// error.log is replaced: a link at its name does not lead the line into another file, a pipe
// there does not stop the game, and a damaged file's bytes in the message arrive escaped.
TEST(ErrorLog, IsReplacedWholeNeverWrittenThroughWhatStandsAtItsName) {
    test::TempDir dir;
    const std::string target = dir.write("precious.txt", "keep me\n");
    const std::string linked = dir.file("linked.log");
    std::filesystem::create_symlink(target, linked);
    writeErrorLog("ERROR : key script bad \"\x01\xff\xc3\xa9\"", linked);
    std::string text;
    ASSERT_TRUE(readFile(target, text));
    EXPECT_EQ(text, "keep me\n");
    EXPECT_FALSE(std::filesystem::is_symlink(linked));
    ASSERT_TRUE(readFile(linked, text));
    EXPECT_TRUE(text.ends_with("ERROR : key script bad \"\\x01\\xFF\xc3\xa9\"\n")) << text;

    const std::string pipe = dir.file("pipe.log");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    writeErrorLog("ERROR : Direct3D", pipe); // returns: nothing reads the pipe
    EXPECT_TRUE(std::filesystem::is_regular_file(pipe));
}

// The desktop opens a replay with its path as the only argument.
TEST(CommandLine, AReplayIsWatchedAsAnOptionOrABareFileAndVerifiedAsAnOption) {
    std::string error;
    auto bare = CommandLine::parse({"/home/p/run.qvr"}, error);
    ASSERT_TRUE(bare) << error;
    EXPECT_EQ(bare->replayFile, "/home/p/run.qvr");
    auto option = CommandLine::parse({"--replay", "a.qvr", "--verify", "b.qvr"}, error);
    ASSERT_TRUE(option) << error;
    EXPECT_EQ(option->replayFile, "a.qvr");
    EXPECT_EQ(option->verifyFile, "b.qvr");
    EXPECT_FALSE(CommandLine::parse({"run.txt"}, error));
    EXPECT_FALSE(CommandLine::parse({"--verify"}, error));
}

} // namespace
} // namespace qv
