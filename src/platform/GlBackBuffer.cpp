#include "platform/GlBackBuffer.h"

#include "core/FatalError.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace qv {

LetterboxRect letterbox(uint32_t sourceWidth, uint32_t sourceHeight, uint32_t targetWidth,
                        uint32_t targetHeight) {
    if (sourceWidth == 0 || sourceHeight == 0)
        return {};
    // Compare the aspects by cross products to stay in integers; round the scaled side.
    uint64_t widthBound = uint64_t{targetWidth} * sourceHeight;
    uint64_t heightBound = uint64_t{targetHeight} * sourceWidth;
    uint64_t width = targetWidth, height = targetHeight;
    if (widthBound < heightBound)
        height = (widthBound + sourceWidth / 2) / sourceWidth;
    else
        width = (heightBound + sourceHeight / 2) / sourceHeight;
    return {static_cast<int32_t>((targetWidth - width) / 2),
            static_cast<int32_t>((targetHeight - height) / 2), static_cast<int32_t>(width),
            static_cast<int32_t>(height)};
}

namespace {

// Clears the parts of the window the picture leaves free; the picture covers the rest.
void clearBars(const LetterboxRect& r, uint32_t windowWidth, uint32_t windowHeight) {
    const auto w = static_cast<int32_t>(windowWidth), h = static_cast<int32_t>(windowHeight);
    const std::array<LetterboxRect, 4> bars{{{0, 0, r.x, h},
                                             {r.x + r.width, 0, w - r.x - r.width, h},
                                             {0, 0, w, r.y},
                                             {0, r.y + r.height, w, h - r.y - r.height}}};
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_SCISSOR_TEST);
    for (const LetterboxRect& bar : bars) {
        if (bar.width <= 0 || bar.height <= 0)
            continue;
        glScissor(bar.x, bar.y, bar.width, bar.height);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
}

GLuint makeRenderbuffer(GLenum format, uint32_t width, uint32_t height) {
    GLuint id = 0;
    glGenRenderbuffers(1, &id);
    glBindRenderbuffer(GL_RENDERBUFFER, id);
    glRenderbufferStorage(GL_RENDERBUFFER, format, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    return id;
}

} // namespace

GlBackBuffer::GlBackBuffer(uint32_t width, uint32_t height) : width_(width), height_(height) {
    colour_ = makeRenderbuffer(GL_RGBA8, width, height);
    depth_ = makeRenderbuffer(GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (width == 0 || height == 0 || !complete) {
        release();
        throw FatalError("ERROR : Create Direct3DDevice");
    }
    bind();
}

GlBackBuffer::~GlBackBuffer() {
    release();
}

void GlBackBuffer::release() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteRenderbuffers(1, &depth_);
    glDeleteRenderbuffers(1, &colour_);
}

void GlBackBuffer::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_));
}

void GlBackBuffer::blitToWindow(uint32_t windowWidth, uint32_t windowHeight) const {
    LetterboxRect r = letterbox(width_, height_, windowWidth, windowHeight);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, static_cast<GLsizei>(windowWidth), static_cast<GLsizei>(windowHeight));
    clearBars(r, windowWidth, windowHeight);
    glBlitFramebuffer(0, 0, static_cast<GLint>(width_), static_cast<GLint>(height_), r.x, r.y, r.x + r.width,
                      r.y + r.height, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    bind();
}

void GlBackBuffer::blitOnto(GLuint framebuffer, uint32_t width, uint32_t height) const {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glBlitFramebuffer(0, 0, static_cast<GLint>(width_), static_cast<GLint>(height_), 0, 0,
                      static_cast<GLint>(width), static_cast<GLint>(height), GL_COLOR_BUFFER_BIT, GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
}

void GlBackBuffer::read(Image& out) const {
    readFramebuffer(framebuffer_, width_, height_, out);
}

void readFramebuffer(GLuint framebuffer, uint32_t width, uint32_t height, Image& out) {
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * height);
    if (width == 0 || height == 0)
        return;
    // The window's default read buffer is the one it draws into, read before the swap.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, out.pixels.data());
    // GL rows run bottom-up.
    for (uint32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(out.pixels.begin() + static_cast<ptrdiff_t>(top) * width,
                         out.pixels.begin() + static_cast<ptrdiff_t>(top + 1) * width,
                         out.pixels.begin() + static_cast<ptrdiff_t>(bottom) * width);
}

} // namespace qv
