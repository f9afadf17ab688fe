#include "platform/SdlWindow.h"
#include "support/KeepLoadedLibraries.h"

#include <gtest/gtest.h>

#include <memory>

// The window's event handling through SDL's offscreen driver, with events pushed into SDL's queue
// as the desktop would send them.
namespace qv {
namespace {

class SdlWindowTest : public ::testing::Test {
  protected:
    // The window loads the GL driver; kept loaded, it leaves LeakSanitizer nothing unnamed.
    static void SetUpTestSuite() { test::keepTheGlDriverLoaded(); }
    void SetUp() override {
        window_ = std::make_unique<SdlWindow>("test", 320, 240, false);
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override { window_.reset(); }

    SDL_Event windowEvent(SDL_WindowEventID id) const {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = static_cast<Uint8>(id);
        event.window.windowID = SDL_GetWindowID(window_->handle());
        return event;
    }
    static SDL_Event keyDown(SDL_Scancode scancode, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.repeat = repeat;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = mod;
        return event;
    }
    WindowEvents pumpWith(SDL_Event event) {
        SDL_PushEvent(&event);
        return window_->pumpEvents();
    }

    std::unique_ptr<SdlWindow> window_;
};

TEST_F(SdlWindowTest, OnePassTakesEveryQueuedEventAndSeesTheCloseAmongThem) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    for (int i = 0; i < 1000; ++i) {
        SDL_Event event = i == 700 ? windowEvent(SDL_WINDOWEVENT_CLOSE) : motion;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    EXPECT_TRUE(window_->pumpEvents().quit);
    EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0) << "events left";
    EXPECT_FALSE(window_->pumpEvents().quit) << "a pass without events asks for nothing";
}

TEST_F(SdlWindowTest, F11AndAltEnterSwitchFullScreenAndTheCursorWithIt) {
    EXPECT_FALSE(window_->fullscreen());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

    WindowEvents f11 = pumpWith(keyDown(SDL_SCANCODE_F11));
    EXPECT_TRUE(window_->fullscreen());
    EXPECT_TRUE(f11.stateChanged);
    EXPECT_FALSE(f11.enterTaken) << "F11 takes no Enter from the game";
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    WindowEvents altEnter = pumpWith(keyDown(SDL_SCANCODE_RETURN, KMOD_LALT));
    EXPECT_FALSE(window_->fullscreen());
    EXPECT_TRUE(altEnter.enterTaken);
    EXPECT_TRUE(altEnter.stateChanged);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_TRUE(pumpWith(keyDown(SDL_SCANCODE_RETURN, KMOD_RALT)).enterTaken);
    EXPECT_TRUE(window_->fullscreen());
}

TEST_F(SdlWindowTest, EnterAloneAndHeldKeysRepeatingLeaveTheWindowAsItIs) {
    for (SDL_Event event :
         {keyDown(SDL_SCANCODE_RETURN), keyDown(SDL_SCANCODE_F11, KMOD_NONE, 1),
          keyDown(SDL_SCANCODE_RETURN, KMOD_LALT, 1), keyDown(SDL_SCANCODE_F10, KMOD_LALT)}) {
        const WindowEvents events = pumpWith(event);
        EXPECT_FALSE(events.enterTaken || events.stateChanged || events.quit);
        EXPECT_FALSE(window_->fullscreen());
    }
}

// The size to come back to is the window's own, never the full screen's.
TEST_F(SdlWindowTest, TheStateKeepsTheWindowedSizeThroughFullScreen) {
    EXPECT_EQ(window_->state(), (WindowState{320, 240, false}));
    SDL_SetWindowSize(window_->handle(), 500, 300);
    EXPECT_TRUE(window_->pumpEvents().stateChanged);
    EXPECT_EQ(window_->state(), (WindowState{500, 300, false}));

    window_->setFullscreen(true);
    window_->pumpEvents();
    SDL_Event resized = windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED);
    pumpWith(resized);
    EXPECT_EQ(window_->state(), (WindowState{500, 300, true}));
}

TEST_F(SdlWindowTest, AHiddenWindowShowsNothing) {
    EXPECT_TRUE(window_->showing());
    SDL_HideWindow(window_->handle());
    window_->pumpEvents();
    EXPECT_FALSE(window_->showing());
    EXPECT_FALSE(window_->focused());
    SDL_ShowWindow(window_->handle());
    window_->pumpEvents();
    EXPECT_TRUE(window_->showing());
}

TEST_F(SdlWindowTest, TheWindowCannotBeMadeSmallerThanItsMinimum) {
    SDL_SetWindowSize(window_->handle(), 1, 1);
    int width = 0, height = 0;
    SDL_GetWindowSize(window_->handle(), &width, &height);
    EXPECT_EQ(width, WindowState::kMinWidth);
    EXPECT_EQ(height, WindowState::kMinHeight);
}

} // namespace
} // namespace qv
