#include "platform/GlStreamBuffer.h"

#include <algorithm>
#include <bit>

namespace qv {

namespace {

// Room for many frames of sprites and overlay quads between two orphanings.
constexpr size_t kMinimumCapacity = 512 * 1024;
// Every attribute and index the game streams is made of four-byte words.
constexpr size_t kAlignment = 4;

} // namespace

GlStreamBuffer::GlStreamBuffer(GLenum target) : target_(target) {
    glGenBuffers(1, &buffer_);
}

GlStreamBuffer::~GlStreamBuffer() {
    glDeleteBuffers(1, &buffer_);
}

size_t GlStreamBuffer::upload(const void* data, size_t size) {
    glBindBuffer(target_, buffer_);
    size_t offset = (used_ + kAlignment - 1) / kAlignment * kAlignment;
    if (offset + size > capacity_) {
        // Powers of two keep the number of distinct sizes the driver sees small.
        capacity_ = std::max(capacity_, std::bit_ceil(std::max(size, kMinimumCapacity)));
        glBufferData(target_, static_cast<GLsizeiptr>(capacity_), nullptr, GL_STREAM_DRAW);
        offset = 0;
    }
    glBufferSubData(target_, static_cast<GLintptr>(offset), static_cast<GLsizeiptr>(size), data);
    used_ = offset + size;
    return offset;
}

} // namespace qv
