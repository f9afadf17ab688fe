#include "app/Program.h"
#include "platform/WindowState.h"
#include "support/HeadlessRig.h"
#include "support/KeepLoadedLibraries.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <vector>

namespace qv {
namespace {

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

CommandLine headless(std::initializer_list<std::string> extra) {
    std::vector<std::string> args{"--headless", "--seed", "1"};
    args.insert(args.end(), extra);
    std::string error;
    auto cl = CommandLine::parse(args, error);
    EXPECT_TRUE(cl) << error;
    return *cl;
}

TEST(Program, EscapeEndsTheGameThroughTheQuitStateWithExitCodeZero) {
    test::HeadlessRig rig;
    rig.dir.write("keys.txt", "5 down ESCAPE\n");
    Program program(headless({"--keys", "keys.txt", "--trace", "trace.jsonl"}));
    EXPECT_EQ(program.run(), 0);
    // Escape at tick 5 posts the quit, the loop ends after the pass that takes it (tick 6),
    // and the director is ticked once more in its quit state.
    auto lines = readLines("trace.jsonl");
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_NE(lines[5].find("\"tick\":6,\"director\":0"), std::string::npos);
    EXPECT_NE(lines[6].find("\"tick\":7,\"director\":5"), std::string::npos);
}

// Escape goes back out of the options; only a fresh press on the title screen quits.
TEST(Program, EscapeOnTheOptionsScreenGoesBackAndOnlyTheNextOneQuits) {
    test::HeadlessRig rig;
    rig.dir.write("keys.txt", "300 down O\n302 up O\n310 down ESCAPE\n330 up ESCAPE\n340 down ESCAPE\n");
    Program program(headless({"--keys", "keys.txt", "--trace", "trace.jsonl"}));
    EXPECT_EQ(program.run(), 0);
    EXPECT_EQ(readLines("trace.jsonl").size(), 342u) << "quit at 340, as the first Escape would have at 310";
}

// A long headless run (tests, replay checks, the content tool) must not grow without bound:
// the sound log keeps the last tick's events only.
TEST(Program, TheHeadlessSoundLogKeepsNoHistory) {
    test::HeadlessRig rig;
    rig.dir.write("keys.txt", "300 down RETURN\n305 up RETURN\n");
    Program program(headless({"--keys", "keys.txt", "--autopilot", "--ticks", "3000"}));
    EXPECT_EQ(program.run(), 0);
    EXPECT_GT(program.mostSoundEventsHeld(), 0u) << "the run made sounds";
    EXPECT_LT(program.mostSoundEventsHeld(), 50u);
}

TEST(Program, ATraceThatCannotBeWrittenWholeIsAnError) {
    test::HeadlessRig rig;
    Program program(headless({"--ticks", "5", "--trace", "/dev/full"}));
    EXPECT_EQ(program.run(), 1);
    const auto lines = readLines("error.log");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("ERROR : cannot write trace file /dev/full"), std::string::npos) << lines[0];
}

TEST(Program, TraceShowsTheLogoThenTheAttractSceneSteppingThroughItsPhases) {
    test::HeadlessRig rig;
    Program program(headless({"--ticks", "700", "--trace", "trace.jsonl"}));
    EXPECT_EQ(program.run(), 0);
    auto lines = readLines("trace.jsonl");
    ASSERT_EQ(lines.size(), 701u);
    EXPECT_NE(lines[0].find("\"director\":0,\"phase\":null"), std::string::npos);
    EXPECT_NE(lines[290].find("\"director\":1,\"phase\":0,\"demo\":true"), std::string::npos);
    EXPECT_NE(lines[291].find("\"phase\":1"), std::string::npos);
    EXPECT_NE(lines[699].find("\"phase\":2"), std::string::npos);
    EXPECT_NE(lines[699].find("\"time\":"), std::string::npos);
    EXPECT_NE(lines[700].find("\"director\":5"), std::string::npos);
    for (const auto& line : lines)
        EXPECT_TRUE(std::regex_match(line, std::regex(R"(\{"tick":\d+,"director":\d.*\})"))) << line;
}

TEST(Program, AMissingLogoWritesOneErrorLineAndExits) {
    test::HeadlessRig rig;
    rig.removeFile("Data/tex/zem.dds");
    const std::regex line(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d ERROR : Score D3DXCreateTextureFromFileEx)");
    {
        Program program(headless({}));
        EXPECT_EQ(program.run(), 1);
    }
    auto first = readLines("error.log");
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(std::regex_match(first[0], line)) << first[0];
    // A second failing run replaces the file: still one line.
    rig.dir.write("error.log", "old line\nanother\n");
    {
        Program program(headless({}));
        EXPECT_EQ(program.run(), 1);
    }
    auto second = readLines("error.log");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_TRUE(std::regex_match(second[0], line)) << second[0];
}

TEST(Program, ABadKeyScriptIsAFatalErrorNamingTheFile) {
    test::HeadlessRig rig;
    rig.dir.write("keys.txt", "5 sideways RETURN\n");
    Program program(headless({"--keys", "keys.txt"}));
    EXPECT_EQ(program.run(), 1);
    auto lines = readLines("error.log");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("keys.txt"), std::string::npos);
}

TEST(Program, SightRangeComesFromTheSettingsClamped) {
    test::HeadlessRig rig;
    rig.dir.write("Pedalon.ini", "[PERFORMANCE]\nSIGHTRANGE=3\n");
    Program low(headless({"--ticks", "1"}));
    low.run();
    EXPECT_EQ(low.state().sightRange, 8);
    rig.dir.write("Pedalon.ini", "[PERFORMANCE]\nSIGHTRANGE=250\n");
    Program high(headless({"--ticks", "1"}));
    high.run();
    EXPECT_EQ(high.state().sightRange, 100);
}

// Enter rebound to Space and Quit to Q: Return and Escape do nothing any more. The bad lines are
// told on standard error once, as the game starts.
TEST(Program, TheControlsOfTheSettingsFileDriveTheGame) {
    test::HeadlessRig rig;
    rig.dir.write("Pedalon.ini", "[CONTROLS]\nENTER=SPACE\nQUIT=Q\nJUMP=NOKEY\nPEDDAL=F\n");
    rig.dir.write("keys.txt", "2 down RETURN\n3 up RETURN\n4 down ESCAPE\n5 up ESCAPE\n6 down SPACE\n"
                              "7 up SPACE\n9 down Q\n");
    testing::internal::CaptureStderr();
    Program program(headless({"--keys", "keys.txt", "--trace", "trace.jsonl"}));
    EXPECT_EQ(program.run(), 0);
    const std::string warnings = testing::internal::GetCapturedStderr();

    auto lines = readLines("trace.jsonl");
    ASSERT_EQ(lines.size(), 11u) << "Q at tick 9 quits after tick 10";
    for (size_t tick = 1; tick <= 5; ++tick)
        EXPECT_NE(lines[tick - 1].find("\"director\":0"), std::string::npos)
            << "tick " << tick << ": still the logo";
    EXPECT_NE(lines[5].find("\"director\":1"), std::string::npos) << "Space skipped the logo";
    EXPECT_NE(
        warnings.find("JUMP: no key or pad button is called \"NOKEY\"; JUMP keeps SPACE, LSHIFT, PAD_X"),
        std::string::npos)
        << warnings;
    EXPECT_NE(warnings.find("PEDDAL: no such action"), std::string::npos) << warnings;
}

// A window of its own on SDL's offscreen driver, for a few real-time ticks (the GL driver kept
// loaded, so LeakSanitizer names what it finds).
CommandLine windowed() {
    test::keepTheGlDriverLoaded();
    std::string error;
    auto cl = CommandLine::parse({"--seed", "1", "--ticks", "3"}, error);
    EXPECT_TRUE(cl) << error;
    return *cl;
}

TEST(Program, TheWindowComesBackAsItWasLeftAndAGarbledStateFallsBackToTheSettings) {
    test::HeadlessRig rig;
    rig.dir.write("Pedalon.ini", "[SCREENMODE]\nWIDTH=400\nHEIGHT=300\nFULLSCREEN=0\n");
    rig.dir.write("window.ini", "WIDTH=\x01\x02garbage\n");
    EXPECT_EQ(Program(windowed()).run(), 0);
    EXPECT_EQ(readWindowState("window.ini"), (WindowState{400, 300, false})) << "the settings' size";

    // The window is made at the state's size, so the state it leaves is the same and the file
    // is left as it was.
    const std::string leftAs = "WIDTH=500\nHEIGHT=350\nFULLSCREEN=0\n# by hand\n";
    rig.dir.write("window.ini", leftAs);
    EXPECT_EQ(Program(windowed()).run(), 0);
    EXPECT_EQ(readLines("window.ini").back(), "# by hand");
}

TEST(Program, TheHeadlessRunnerNeitherReadsNorWritesTheWindowState) {
    test::keepTheGlDriverLoaded();
    test::HeadlessRig rig;
    EXPECT_EQ(Program(headless({"--ticks", "3"})).run(), 0);
    EXPECT_EQ(Program(headless({"--gl", "--ticks", "3"})).run(), 0);
    EXPECT_FALSE(std::filesystem::exists("window.ini"));
}

// The key script's focus lines stand for the window: the run's timer stands still from the
// focus loss until the pause key is pressed back in focus, not when focus comes back.
TEST(Program, AScriptedFocusLossPausesTheRunUntilThePauseKey) {
    test::HeadlessRig rig;
    rig.dir.write("keys.txt", "1 down RETURN\n2 up RETURN\n5 down RETURN\n6 up RETURN\n"
                              "400 focus lost\n450 focus gained\n500 down P\n501 up P\n");
    Program program(headless({"--keys", "keys.txt", "--trace", "trace.jsonl", "--ticks", "560"}));
    EXPECT_EQ(program.run(), 0);
    const auto lines = readLines("trace.jsonl");
    ASSERT_GE(lines.size(), 560u);
    auto time = [&](size_t tick) {
        const std::smatch found = [&] {
            std::smatch m;
            std::regex_search(lines[tick - 1], m, std::regex(R"("time":([-0-9.e]+))"));
            return m;
        }();
        return found.empty() ? -1.0 : std::stod(found[1].str());
    };
    EXPECT_GT(time(398), time(399)) << "the race runs before";
    EXPECT_GT(time(401), 0.0);
    EXPECT_EQ(time(401), time(499)) << "paused from the loss to the key";
    EXPECT_GT(time(502), time(503)) << "the key resumed it";
}

} // namespace
} // namespace qv
