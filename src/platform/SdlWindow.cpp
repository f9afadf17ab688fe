#include "platform/SdlWindow.h"

#include "core/FatalError.h"

#include <algorithm>

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
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               static_cast<int>(width), static_cast<int>(height), flags);
    if (window_ == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw FatalError(kCreateWindowError);
    }
    windowedWidth_ = static_cast<int>(width);
    windowedHeight_ = static_cast<int>(height);
    // Small enough never to get in the way, large enough that the window can still be found.
    SDL_SetWindowMinimumSize(window_, std::min(windowedWidth_, WindowState::kMinWidth),
                             std::min(windowedHeight_, WindowState::kMinHeight));
    showCursorInWindow();
}

SdlWindow::~SdlWindow() {
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

WindowEvents SdlWindow::pumpEvents() {
    WindowEvents events;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        handle(event, events);
    return events;
}

void SdlWindow::handle(const SDL_Event& event, WindowEvents& events) {
    if (isQuitEvent(event)) {
        events.quit = true;
    } else if (event.type == SDL_KEYDOWN) {
        handleKey(event.key, events);
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        rememberWindowedSize();
        events.stateChanged = true;
    }
}

void SdlWindow::handleKey(const SDL_KeyboardEvent& key, WindowEvents& events) {
    if (key.repeat != 0)
        return;
    const bool altEnter = key.keysym.scancode == SDL_SCANCODE_RETURN && (key.keysym.mod & KMOD_ALT) != 0;
    if (key.keysym.scancode != SDL_SCANCODE_F11 && !altEnter)
        return;
    setFullscreen(!fullscreen());
    events.enterTaken = events.enterTaken || altEnter;
    events.stateChanged = true;
}

bool SdlWindow::fullscreen() const {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

void SdlWindow::setFullscreen(bool fullscreen) {
    // A display that went away or refuses the mode leaves the window as it was.
    SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    showCursorInWindow();
}

bool SdlWindow::showing() const {
    if ((SDL_GetWindowFlags(window_) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0)
        return false;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    return width > 0 && height > 0;
}

bool SdlWindow::focused() const {
    const Uint32 flags = SDL_GetWindowFlags(window_);
    return (flags & SDL_WINDOW_INPUT_FOCUS) != 0 && (flags & SDL_WINDOW_MINIMIZED) == 0;
}

WindowState SdlWindow::state() const {
    return {windowedWidth_, windowedHeight_, fullscreen()};
}

// Full screen or minimised, the window's size is not the one to come back to.
void SdlWindow::rememberWindowedSize() {
    if ((SDL_GetWindowFlags(window_) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MINIMIZED)) != 0)
        return;
    int width = 0, height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    if (width > 0 && height > 0) {
        windowedWidth_ = width;
        windowedHeight_ = height;
    }
}

void SdlWindow::showCursorInWindow() const {
    SDL_ShowCursor(fullscreen() ? SDL_DISABLE : SDL_ENABLE);
}

} // namespace qv
