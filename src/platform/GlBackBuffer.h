#pragma once

#include "core/Image.h"

#include <epoxy/gl.h>

#include <cstdint>

namespace qv {

// Where a picture of one size lands in a target of another, scaled to fit with its aspect
// kept and centred (black bars on the two free sides).
struct LetterboxRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const LetterboxRect&) const = default;
};
LetterboxRect letterbox(uint32_t sourceWidth, uint32_t sourceHeight, uint32_t targetWidth,
                        uint32_t targetHeight);

// Copies a framebuffer's colour (the window's back buffer for 0) into out, top row first, as
// 0xAARRGGBB words.
void readFramebuffer(GLuint framebuffer, uint32_t width, uint32_t height, Image& out);

// The offscreen frame the game draws into: a colour and a depth buffer of the configured size,
// independent of the window's size.
class GlBackBuffer {
  public:
    // Throws FatalError "ERROR : Create Direct3DDevice" when the driver cannot build it.
    GlBackBuffer(uint32_t width, uint32_t height);
    ~GlBackBuffer();
    GlBackBuffer(const GlBackBuffer&) = delete;
    GlBackBuffer& operator=(const GlBackBuffer&) = delete;

    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    GLuint framebuffer() const { return framebuffer_; }

    // Makes the back buffer the drawing target over its whole area.
    void bind() const;
    // Scales the frame into the window's framebuffer (black bars around it), then binds the
    // back buffer again. The back buffer's contents are left as they are.
    void blitToWindow(uint32_t windowWidth, uint32_t windowHeight) const;
    // Scales the frame over the whole of another framebuffer and leaves that one bound.
    void blitOnto(GLuint framebuffer, uint32_t width, uint32_t height) const;
    // Copies the frame into out, top row first, as 0xAARRGGBB words.
    void read(Image& out) const;

  private:
    void release();

    uint32_t width_, height_;
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
    GLuint depth_ = 0;
};

} // namespace qv
