#include "platform/GlFrameTargets.h"

#include "core/FatalError.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Clears the bound target. Clearing ignores the write masks of drawing: alpha is cleared to opaque
// and then masked for good, and depth writes go back to what the device has them at.
void clearBound(GLbitfield what, Argb colour, bool depthWrites) {
    const ColorValue c = colorFromArgb(colour);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(c.r, c.g, c.b, 1.0f);
    glClearDepth(1.0);
    glClear(what);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glDepthMask(depthWrites ? GL_TRUE : GL_FALSE);
}

GLint defaultAttachment(GLenum attachment, GLenum property) {
    GLint type = GL_NONE;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE,
                                          &type);
    GLint value = 0;
    if (type != GL_NONE)
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment, property, &value);
    return value;
}

// The window stands in for the back buffer only with the same depth precision and colour
// channels, so that a frame comes out the same in either.
bool windowDrawsLikeTheBackBuffer() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    const GLenum colour = drawBuffer == GL_FRONT ? GL_FRONT_LEFT : GL_BACK_LEFT;
    return defaultAttachment(GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE) == 24 &&
           defaultAttachment(colour, GL_FRAMEBUFFER_ATTACHMENT_RED_SIZE) == 8 &&
           defaultAttachment(colour, GL_FRAMEBUFFER_ATTACHMENT_GREEN_SIZE) == 8 &&
           defaultAttachment(colour, GL_FRAMEBUFFER_ATTACHMENT_BLUE_SIZE) == 8;
}

uint32_t scaled(uint32_t size, float scale) {
    return std::max<uint32_t>(1, static_cast<uint32_t>(std::lround(static_cast<float>(size) * scale)));
}

} // namespace

GlFrameTargets::GlFrameTargets(SdlWindow& window, uint32_t width, uint32_t height, bool readable,
                               bool followWindow)
    : window_(window), width_(width), height_(height), readable_(readable), followWindow_(followWindow),
      windowUsable_(!readable && windowDrawsLikeTheBackBuffer()) {
    // A back buffer that follows the window is made at the window's size here, if it can be.
    fitWindow();
    // The back buffer is made now even if the window may do instead, so that a size the driver
    // cannot take fails at the start.
    if (!backBuffer_)
        backBuffer_ = std::make_unique<GlBackBuffer>(width_, height_);
    picture_ = drawing_ = backBufferTarget();
}

bool GlFrameTargets::windowFits(uint32_t windowWidth, uint32_t windowHeight) const {
    return windowUsable_ && windowWidth == width_ && windowHeight == height_;
}

OverlayFrame GlFrameTargets::overlay() const {
    return followWindow_ ? OverlayFrame::framed(width_, height_) : OverlayFrame::stretched(width_, height_);
}

void GlFrameTargets::fitWindow() {
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window_.handle(), &w, &h);
    windowWidth_ = static_cast<uint32_t>(std::max(w, 0));
    windowHeight_ = static_cast<uint32_t>(std::max(h, 0));
    if (followWindow_ && windowWidth_ > 0 && windowHeight_ > 0 &&
        (windowWidth_ != width_ || windowHeight_ != height_))
        resizeBackBuffer(windowWidth_, windowHeight_);
}

void GlFrameTargets::resizeBackBuffer(uint32_t width, uint32_t height) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (width > static_cast<uint32_t>(largest) || height > static_cast<uint32_t>(largest))
        return;
    try {
        backBuffer_ = std::make_unique<GlBackBuffer>(width, height);
    } catch (const FatalError&) {
        return;
    }
    width_ = width;
    height_ = height;
    picture_ = drawing_ = backBufferTarget();
}

GlFrameTargets::Target GlFrameTargets::backBufferTarget() {
    return {backBuffer_->framebuffer(), width_, height_};
}

GlFrameTargets::Target GlFrameTargets::sceneTarget(float scale) {
    const uint32_t w = scaled(width_, scale), h = scaled(height_, scale);
    if (w >= width_ && h >= height_)
        return picture_;
    if (!scene_ || scene_->width() != w || scene_->height() != h)
        scene_ = std::make_unique<GlBackBuffer>(w, h);
    return {scene_->framebuffer(), w, h};
}

void GlFrameTargets::bind(const Target& target) {
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glViewport(0, 0, static_cast<GLsizei>(target.width), static_cast<GLsizei>(target.height));
    drawing_ = target;
}

void GlFrameTargets::begin(Argb clearColour, float scale, bool depthWrites) {
    picture_ = windowFits(windowWidth_, windowHeight_) ? Target{0, width_, height_} : backBufferTarget();
    bind(sceneTarget(scale));
    clearBound(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, clearColour, depthWrites);
}

bool GlFrameTargets::prepareDraw(bool overlay, bool depthWrites) {
    if (!overlay || drawing_ == picture_)
        return false;
    resolveScene(depthWrites);
    return true;
}

// The scaled 3D part covers the whole picture. The overlay's depth test then sees a cleared
// buffer instead of the 3D part's depths, which changes nothing for overlays at depth 0 (in front
// of everything), the only depth the game gives them.
void GlFrameTargets::resolveScene(bool depthWrites) {
    scene_->blitOnto(picture_.framebuffer, picture_.width, picture_.height);
    bind(picture_);
    clearBound(GL_DEPTH_BUFFER_BIT, 0, depthWrites);
}

void GlFrameTargets::finish(bool depthWrites) {
    if (drawing_ != picture_)
        resolveScene(depthWrites);
    if (picture_.framebuffer != 0)
        backBuffer_->blitToWindow(windowWidth_, windowHeight_);
    bind(picture_);
}

bool GlFrameTargets::read(Image& out) const {
    if (!readable_)
        return false;
    backBuffer_->read(out);
    return true;
}

bool GlFrameTargets::readPicture(Image& out, bool depthWrites) {
    if (drawing_ != picture_)
        resolveScene(depthWrites);
    readFramebuffer(picture_.framebuffer, picture_.width, picture_.height, out);
    return true;
}

} // namespace qv
