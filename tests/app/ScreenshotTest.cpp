#include "app/DisplayExtras.h"
#include "app/HotKeys.h"
#include "app/Program.h"
#include "assets/PngWriter.h"
#include "assets/ScreenshotFolder.h"
#include "core/FilePaths.h"
#include "platform/GlRenderDevice.h"
#include "platform/SdlWindow.h"
#include "support/HeadlessRig.h"
#include "support/KeepLoadedLibraries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

// The screenshot key, the FPS display and the mute: what they save, show and change, and that the
// game itself never notices them.
namespace qv {
namespace {

namespace fs = std::filesystem;

const Image kPicture{2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}};
constexpr std::time_t kNoon = 1796040000; // one fixed moment, whatever its local date

std::string contents(const std::string& path) {
    std::string data;
    EXPECT_TRUE(readFile(path, data)) << path;
    return data;
}

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ScreenshotFolderTest, NamedByTheLocalDateAndTimeNeverOverAnotherPicture) {
    test::TempDir dir;
    const ScreenshotFolder folder(dir.file("shots"), [] { return kNoon; });
    const std::string base = ScreenshotFolder::baseName(kNoon);
    EXPECT_TRUE(std::regex_match(base, std::regex(R"(qorvex-\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d)"))) << base;
    std::string error;
    const auto first = folder.save(kPicture, error);
    const auto second = folder.save(kPicture, error);
    const auto third = folder.save(kPicture, error);
    ASSERT_TRUE(first && second && third) << error;
    EXPECT_EQ(fs::path(*first).filename(), base + ".png");
    EXPECT_EQ(fs::path(*second).filename(), base + "-2.png");
    EXPECT_EQ(fs::path(*third).filename(), base + "-3.png");
    // What is saved is the picture, as the PNG writer writes it.
    ASSERT_TRUE(writePng(dir.file("expected.png"), kPicture));
    EXPECT_EQ(contents(*second), contents(dir.file("expected.png")));
}

TEST(ScreenshotFolderTest, MadeAtTheFirstSaveForItsOwnerOnlyOrSaidWhyNot) {
    test::TempDir dir;
    const fs::path shots = fs::path(dir.path()) / "user" / "screenshots";
    const ScreenshotFolder folder(shots.string(), [] { return kNoon; });
    EXPECT_FALSE(fs::exists(shots)) << "nothing is made before a picture is taken";
    std::string error;
    ASSERT_TRUE(folder.save(kPicture, error)) << error;
    EXPECT_EQ(fs::status(shots).permissions() & fs::perms::all, fs::perms::owner_all);
    // A folder the player made keeps its permissions.
    const fs::path own = fs::path(dir.path()) / "own";
    fs::create_directory(own);
    fs::permissions(own, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    ASSERT_TRUE(ScreenshotFolder(own.string()).save(kPicture, error)) << error;
    EXPECT_EQ(fs::status(own).permissions() & fs::perms::all,
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    // One that cannot be made is reported, not thrown.
    dir.write("taken", "a file where the folder would go");
    EXPECT_FALSE(ScreenshotFolder(dir.file("taken/screenshots")).save(kPicture, error));
    EXPECT_NE(error.find("taken/screenshots"), std::string::npos) << error;
}

class DisplayExtrasTest : public testing::Test {
  protected:
    DisplayExtrasTest() { rig.graphics.setFrameOverlay(&extras); }
    ~DisplayExtrasTest() override { rig.graphics.setFrameOverlay(nullptr); }

    // One frame as the game draws one: nothing but a clear, then the end.
    void frame() {
        rig.clock.advance(17);
        rig.graphics.beginFrame(0xFF000000, 100.0f);
        rig.graphics.endFrame();
    }

    test::HeadlessRig rig;
    ScreenshotFolder folder{rig.path("screenshots"), [] { return kNoon; }};
    std::ostringstream log;
    DisplayExtras extras{rig.clock, folder, log};
};

TEST_F(DisplayExtrasTest, DrawsNothingAndLoadsNothingUntilAskedTo) {
    for (int i = 0; i < 5; ++i)
        frame();
    EXPECT_TRUE(rig.graphics.draws().empty());
    EXPECT_EQ(rig.graphics.texturesAlive(), 0);
    EXPECT_EQ(log.str(), "");
}

TEST_F(DisplayExtrasTest, APictureThatCannotBeTakenIsSaidOnScreenAndOnTheLog) {
    extras.requestScreenshot();
    frame();
    EXPECT_FALSE(extras.screenshotRequested());
    EXPECT_EQ(extras.notice().lines()[0], U"Screenshot not saved");
    EXPECT_NE(log.str().find("screenshot not saved"), std::string::npos) << log.str();
    EXPECT_FALSE(fs::exists(rig.path("screenshots")));
    EXPECT_FALSE(rig.graphics.draws().empty()) << "the notice is drawn";
}

TEST_F(DisplayExtrasTest, WithoutItsLetteringTheNoticeStillGoesToTheLog) {
    rig.removeFile("Data/tex/text.dds");
    extras.requestScreenshot();
    frame();
    EXPECT_NE(log.str().find("cannot load"), std::string::npos) << log.str();
    EXPECT_NE(log.str().find("screenshot not saved"), std::string::npos) << log.str();
    EXPECT_TRUE(rig.graphics.draws().empty());
}

TEST(HotKeysTest, EachKeyActsOncePerPress) {
    test::HeadlessRig rig("2 down M\n5 up M\n7 down M\n8 up M\n"
                          "3 down F9\n4 up F9\n"
                          "10 down F12\n11 down SYSRQ\n12 up F12\n13 up SYSRQ\n14 down PRINTSCREEN\n");
    ScreenshotFolder folder(rig.path("screenshots"));
    std::ostringstream log;
    DisplayExtras extras(rig.clock, folder, log);
    HotKeys keys(rig.keys, rig.sound, extras);
    std::vector<bool> muted, fps, screenshot;
    for (uint32_t tick = 1; tick <= 14; ++tick) {
        rig.keysFor(tick);
        keys.poll();
        muted.push_back(rig.sound.levels().muted());
        fps.push_back(extras.fpsShown());
        screenshot.push_back(extras.screenshotRequested());
        extras.drawOver(rig.graphics); // takes (and fails) the requested screenshot
    }
    EXPECT_EQ(muted, (std::vector<bool>{0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(fps, (std::vector<bool>{0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(screenshot, (std::vector<bool>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 1}));
    EXPECT_EQ(rig.sound.levels().volume(SoundGroup::Music), 100) << "the mute leaves the volumes";
}

CommandLine commandLine(std::vector<std::string> args) {
    args.insert(args.begin(), {"--headless", "--seed", "1"});
    std::string error;
    auto parsed = CommandLine::parse(args, error);
    EXPECT_TRUE(parsed) << error;
    return *parsed;
}

// The player's files in user/, so the screenshots folder is user/screenshots.
int runGame(const test::HeadlessRig& rig, std::vector<std::string> args) {
    Program program(commandLine(std::move(args)), PlayerFiles::separate(rig.path("user"), rig.path("user")));
    return program.run();
}

// F12 during the logo, on the real renderer, with the FPS display on: the file holds the frame
// of that tick as the game drew it (the same as --screenshot-at of that tick in a run without
// F9 and F12), while the frame shown carries the display and the notice.
TEST(ScreenshotKeyTest, SavesTheFrameAsTheGameDrewItWithoutTheNotice) {
    test::keepTheGlDriverLoaded(); // the games below load and unload it
    test::HeadlessRig rig;
    fs::create_directories(rig.path("user"));
    rig.dir.write("f12.txt", "100 down F9\n101 up F9\n150 down F12\n151 up F12\n");
    ASSERT_EQ(runGame(rig, {"--gl", "--ticks", "150", "--screenshot-at", "150:plain.png"}), 0);
    ASSERT_EQ(
        runGame(rig, {"--gl", "--ticks", "150", "--keys", "f12.txt", "--screenshot-at", "150:shown.png"}), 0);
    const fs::path shots = rig.path("user/screenshots");
    std::vector<fs::path> saved = filesIn(shots);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(std::regex_match(saved[0].filename().string(),
                                 std::regex(R"(qorvex-\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.png)")))
        << saved[0];
    EXPECT_EQ(fs::status(shots).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(contents(saved[0].string()), contents(rig.path("plain.png")));
    EXPECT_NE(contents(rig.path("shown.png")), contents(rig.path("plain.png")));

    // Frames not kept for reading (drawn straight into the window) are read as well.
    fs::remove(saved[0]);
    ASSERT_EQ(runGame(rig, {"--gl", "--ticks", "150", "--keys", "f12.txt"}), 0);
    saved = filesIn(shots);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(contents(saved[0].string()), contents(rig.path("plain.png")));
}

// M, F9 and F12 during a run change nothing the game does: the trace stays the same.
TEST(ScreenshotKeyTest, TheHotKeysLeaveTheGameAlone) {
    test::HeadlessRig rig;
    fs::create_directories(rig.path("user"));
    const std::string run = "300 down RETURN\n305 up RETURN\n320 down F\n";
    rig.dir.write("plain.txt", run);
    rig.dir.write("keys.txt", run + "330 down M\n331 up M\n340 down F9\n341 up F9\n350 down F12\n351 up F12\n"
                                    "360 down M\n361 up M\n");
    ASSERT_EQ(runGame(rig, {"--ticks", "400", "--keys", "plain.txt", "--trace", "plain.jsonl"}), 0);
    ASSERT_EQ(runGame(rig, {"--ticks", "400", "--keys", "keys.txt", "--trace", "keys.jsonl"}), 0);
    EXPECT_EQ(contents(rig.path("keys.jsonl")), contents(rig.path("plain.jsonl")));
}

} // namespace
} // namespace qv
