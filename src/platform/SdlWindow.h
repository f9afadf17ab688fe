#pragma once

#include "platform/WindowFocus.h"
#include "platform/WindowState.h"

#include <SDL.h>

#include <cstdint>
#include <string>

namespace qv {

// What one pass over the pending window events asks of the program.
struct WindowEvents {
    bool quit = false;         // the close button or the desktop's quit request
    bool enterTaken = false;   // Alt+Enter switched the mode: Enter must not reach the game too
    bool stateChanged = false; // the size or the mode changed: the state to remember
};

// The game's one window: owns SDL's video subsystem and a resizable window that asks for an
// OpenGL 3.3 core context (the GlRenderDevice creates the context itself) at the drawable's full
// resolution. F11 and Alt+Enter switch between a window and desktop full screen; the mouse cursor
// is hidden in full screen only.
class SdlWindow : public WindowFocus {
  public:
    // Throws FatalError "ERROR : Create Window" when SDL video or the window cannot be had.
    SdlWindow(const std::string& title, uint32_t width, uint32_t height, bool fullscreen);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    SDL_Window* handle() const { return window_; }
    // Handles every pending event and never waits, so a close request is seen at once however
    // many events came before it.
    WindowEvents pumpEvents();

    bool fullscreen() const;
    void setFullscreen(bool fullscreen);
    // False while minimised or hidden, or without a pixel to draw into: a frame would not be seen.
    bool showing() const;
    bool focused() const override;
    // The size as a window (kept through full screen) and the mode, to restore next time.
    WindowState state() const;

  private:
    void handle(const SDL_Event& event, WindowEvents& events);
    void handleKey(const SDL_KeyboardEvent& key, WindowEvents& events);
    void rememberWindowedSize();
    void showCursorInWindow() const;

    SDL_Window* window_ = nullptr;
    int windowedWidth_ = 0, windowedHeight_ = 0;
};

} // namespace qv
