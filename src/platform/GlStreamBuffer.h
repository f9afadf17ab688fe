#pragma once

#include <epoxy/gl.h>

#include <cstddef>

namespace qv {

// One GL buffer that draws stream their vertices (or indices) through. Each upload lands after the
// one before; only when the next does not fit is the storage orphaned and filling starts again at
// the front. So the driver never waits for a draw still reading earlier contents, and it gets new
// storage once in many frames rather than for every draw. The storage only grows.
class GlStreamBuffer {
  public:
    explicit GlStreamBuffer(GLenum target);
    ~GlStreamBuffer();
    GlStreamBuffer(const GlStreamBuffer&) = delete;
    GlStreamBuffer& operator=(const GlStreamBuffer&) = delete;

    // Binds the buffer to its target, stores size bytes of data in it and returns their offset,
    // a multiple of four bytes.
    size_t upload(const void* data, size_t size);

  private:
    GLenum target_;
    GLuint buffer_ = 0;
    size_t capacity_ = 0;
    size_t used_ = 0;
};

} // namespace qv
