#pragma once

#include <SDL.h>

namespace qv {

// The OpenGL context of the game window, current on the main thread for its whole life.
class GlContext {
  public:
    // Asks for 3.3 core, then for whatever the driver offers. Throws FatalError
    // "ERROR : Create Direct3DDevice" when no context can be made and "ERROR : No Useable Device"
    // when the one made is older than 3.3.
    explicit GlContext(SDL_Window* window);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

  private:
    SDL_GLContext context_ = nullptr;
};

} // namespace qv
