#include "platform/SdlWindow.h"

#include "core/FatalError.h"

namespace qv {

namespace {

constexpr const char* kCreateWindowError = "ERROR : Create Window";

void requestCoreContext() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // A frame the size of the window is drawn straight into it, with the depth precision of the
    // offscreen back buffer used otherwise.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
}

bool isQuitEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT)
        return true;
    return event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE;
}

} // namespace

SdlWindow::SdlWindow(const std::string& title, uint32_t width, uint32_t height, bool fullscreen) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw FatalError(kCreateWindowError);
    requestCoreContext();
    Uint32 flags = SDL_WINDOW_OPENGL;
    if (fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               static_cast<int>(width), static_cast<int>(height), flags);
    if (window_ == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw FatalError(kCreateWindowError);
    }
    SDL_ShowCursor(SDL_DISABLE);
}

SdlWindow::~SdlWindow() {
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::pumpOneEvent() {
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0)
        return false;
    return isQuitEvent(event);
}

} // namespace qv
