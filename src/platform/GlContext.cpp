#include "platform/GlContext.h"

#include "core/FatalError.h"

#include <epoxy/gl.h>

namespace qv {

namespace {

constexpr int kRequiredVersion = 33; // major * 10 + minor, as libepoxy counts

SDL_GLContext create(SDL_Window* window, int major, int minor, int profile) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, profile);
    return SDL_GL_CreateContext(window);
}

} // namespace

GlContext::GlContext(SDL_Window* window) {
    context_ = create(window, 3, 3, SDL_GL_CONTEXT_PROFILE_CORE);
    // A driver without a core profile still says which version it has, so the player learns
    // that the device is too old rather than that it failed.
    if (context_ == nullptr)
        context_ = create(window, 2, 1, 0);
    if (context_ == nullptr)
        throw FatalError("ERROR : Create Direct3DDevice");
    if (SDL_GL_MakeCurrent(window, context_) != 0) {
        SDL_GL_DeleteContext(context_);
        throw FatalError("ERROR : Create Direct3DDevice");
    }
    if (epoxy_gl_version() < kRequiredVersion || epoxy_is_desktop_gl() == 0) {
        SDL_GL_DeleteContext(context_);
        throw FatalError("ERROR : No Useable Device");
    }
}

GlContext::~GlContext() {
    SDL_GL_DeleteContext(context_);
}

} // namespace qv
