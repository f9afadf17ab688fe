#include "platform/GlStreamBuffer.h"

#include <algorithm>
#include <bit>

namespace qv {

namespace {

constexpr size_t kMinimumCapacity = 64 * 1024;

} // namespace

GlStreamBuffer::GlStreamBuffer(GLenum target) : target_(target) {
    glGenBuffers(1, &buffer_);
}

GlStreamBuffer::~GlStreamBuffer() {
    glDeleteBuffers(1, &buffer_);
}

void GlStreamBuffer::upload(const void* data, size_t size) {
    glBindBuffer(target_, buffer_);
    // Powers of two keep the number of distinct sizes the driver sees small.
    if (size > capacity_)
        capacity_ = std::bit_ceil(std::max(size, kMinimumCapacity));
    glBufferData(target_, static_cast<GLsizeiptr>(capacity_), nullptr, GL_STREAM_DRAW);
    glBufferSubData(target_, 0, static_cast<GLsizeiptr>(size), data);
}

} // namespace qv
