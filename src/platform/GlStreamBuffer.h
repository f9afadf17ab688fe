#pragma once

#include <epoxy/gl.h>

#include <cstddef>

namespace qv {

// One GL buffer refilled for every draw. Each upload orphans the storage first, so the driver
// never waits for a draw still reading the previous contents. The storage only grows.
class GlStreamBuffer {
  public:
    explicit GlStreamBuffer(GLenum target);
    ~GlStreamBuffer();
    GlStreamBuffer(const GlStreamBuffer&) = delete;
    GlStreamBuffer& operator=(const GlStreamBuffer&) = delete;

    // Binds the buffer to its target and replaces its contents with size bytes of data.
    void upload(const void* data, size_t size);

  private:
    GLenum target_;
    GLuint buffer_ = 0;
    size_t capacity_ = 0;
};

} // namespace qv
