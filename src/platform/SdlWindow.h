#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

namespace qv {

// The game's one window: owns SDL's video subsystem and a window that asks for an OpenGL 3.3
// core context (the GlRenderDevice creates the context itself). The cursor is hidden.
class SdlWindow {
  public:
    // Throws FatalError "ERROR : Create Window" when SDL video or the window cannot be had.
    SdlWindow(const std::string& title, uint32_t width, uint32_t height, bool fullscreen);
    ~SdlWindow();
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    SDL_Window* handle() const { return window_; }
    // Takes at most one pending event and never waits; true when it asks the program to quit
    // (the application quit request or the window's close button).
    bool pumpOneEvent();

  private:
    SDL_Window* window_ = nullptr;
};

} // namespace qv
