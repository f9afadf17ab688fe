#include "platform/GlStaticGeometry.h"

#include <algorithm>

namespace qv {

namespace {

GLuint makeBuffer(GLenum target, const void* data, size_t size) {
    GLuint id = 0;
    glGenBuffers(1, &id);
    glBindBuffer(target, id);
    glBufferData(target, static_cast<GLsizeiptr>(size), data, GL_STATIC_DRAW);
    return id;
}

} // namespace

std::unique_ptr<GlStaticGeometry> GlStaticGeometry::vertices(const void* data, uint32_t vertexCount,
                                                             uint32_t stride) {
    std::unique_ptr<GlStaticGeometry> geometry(new GlStaticGeometry(vertexCount, stride));
    geometry->vertexBuffer_ = makeBuffer(GL_ARRAY_BUFFER, data, static_cast<size_t>(vertexCount) * stride);
    return geometry;
}

std::unique_ptr<GlStaticGeometry> GlStaticGeometry::mesh(std::span<const MeshVertex> vertices,
                                                         std::span<const uint32_t> indices) {
    auto geometry = GlStaticGeometry::vertices(vertices.data(), static_cast<uint32_t>(vertices.size()),
                                               sizeof(MeshVertex));
    const auto count = static_cast<uint32_t>(vertices.size());
    if (std::any_of(indices.begin(), indices.end(), [count](uint32_t i) { return i >= count; }))
        return geometry;
    geometry->indexCount_ = static_cast<uint32_t>(indices.size() / 3 * 3);
    geometry->indexBuffer_ = makeBuffer(GL_ELEMENT_ARRAY_BUFFER, indices.data(), indices.size_bytes());
    return geometry;
}

GlStaticGeometry::~GlStaticGeometry() {
    glDeleteBuffers(1, &indexBuffer_);
    glDeleteBuffers(1, &vertexBuffer_);
}

void GlStaticGeometry::bind() const {
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    if (indexBuffer_ != 0)
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
}

} // namespace qv
