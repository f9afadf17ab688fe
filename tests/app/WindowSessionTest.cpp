#include "app/WindowSession.h"
#include "platform/SdlClock.h"
#include "platform/SdlWindow.h"
#include "support/KeepLoadedLibraries.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

// The window's part of the main loop on SDL's offscreen driver.
namespace qv {
namespace {

class WindowSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    // The window loads the GL driver; kept loaded, it leaves LeakSanitizer nothing unnamed.
    static void SetUpTestSuite() { test::keepTheGlDriverLoaded(); }
    WindowSession session(std::optional<WindowState> saved = std::nullopt, std::string file = "") {
        return WindowSession(window, nullptr, &clock, file.empty() ? state : file, saved, errors);
    }
    void resize(int width, int height) { SDL_SetWindowSize(window.handle(), width, height); }

    test::TempDir dir;
    const std::string state = dir.file("window.ini");
    SdlWindow window{"test", 320, 240, false};
    SdlClock clock;
    std::ostringstream errors;
};

// A drag of the window's edge is written once, when it has come to rest.
TEST_F(WindowSessionTest, AChangeIsWrittenOnceItHasSettled) {
    WindowSession s = session(WindowState{320, 240, false});
    resize(400, 300);
    EXPECT_FALSE(s.pass());
    resize(500, 300);
    s.pass();
    for (uint32_t i = 1; i < WindowSession::kSettlePasses; ++i)
        s.pass();
    EXPECT_FALSE(std::filesystem::exists(state)) << "written before it settled";
    s.pass();
    EXPECT_EQ(readWindowState(state), (WindowState{500, 300, false}));
    std::filesystem::remove(state);
    s.close();
    EXPECT_FALSE(std::filesystem::exists(state)) << "written again without a change";
}

TEST_F(WindowSessionTest, TheEndWritesAStateTheFileDoesNotHold) {
    session(WindowState{320, 240, false}).close();
    EXPECT_FALSE(std::filesystem::exists(state));
    session(WindowState{640, 480, true}).close();
    EXPECT_EQ(readWindowState(state), (WindowState{320, 240, false}));
    std::filesystem::remove(state);
    session(std::nullopt).close();
    EXPECT_EQ(readWindowState(state), (WindowState{320, 240, false})) << "no file yet";
}

TEST_F(WindowSessionTest, NoFileKeepsNothingAndAnUnwritableOneIsReportedOnce) {
    WindowSession nowhere(window, nullptr, nullptr, "", std::nullopt, errors);
    nowhere.close();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    WindowSession blocked = session(std::nullopt, dir.file("missing/window.ini"));
    blocked.close();
    resize(400, 300);
    blocked.pass();
    for (uint32_t i = 0; i < WindowSession::kSettlePasses; ++i)
        blocked.pass();
    blocked.close();
    EXPECT_EQ(errors.str(), "qorvex: could not save " + dir.file("missing/window.ini") +
                                "; the window's size is not kept\n");
}

TEST_F(WindowSessionTest, AQuitRequestIsSeenInThePassItArrives) {
    WindowSession s = session();
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_TRUE(s.pass());
    EXPECT_FALSE(s.pass());
}

} // namespace
} // namespace qv
