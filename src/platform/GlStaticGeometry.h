#pragma once

#include "platform/RenderTypes.h"
#include "platform/StaticGeometry.h"

#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <span>

namespace qv {

// Static geometry in GL buffers, uploaded once: vertices, and for a mesh its triangle indices.
// Must be destroyed while its context is alive.
class GlStaticGeometry : public StaticGeometry {
  public:
    static std::unique_ptr<GlStaticGeometry> vertices(const void* data, uint32_t vertexCount,
                                                      uint32_t stride);
    // A mesh with an index past its vertices keeps no triangles: the driver would read beyond them.
    static std::unique_ptr<GlStaticGeometry> mesh(std::span<const MeshVertex> vertices,
                                                  std::span<const uint32_t> indices);
    ~GlStaticGeometry() override;
    GlStaticGeometry(const GlStaticGeometry&) = delete;
    GlStaticGeometry& operator=(const GlStaticGeometry&) = delete;

    uint32_t vertexCount() const { return vertexCount_; }
    uint32_t stride() const { return stride_; }
    uint32_t indexCount() const { return indexCount_; }
    bool holds(const VertexRange& r) const {
        return r.first <= vertexCount_ && r.count <= vertexCount_ - r.first;
    }
    // Binds the vertices (and the indices, if any) for drawing.
    void bind() const;

  private:
    GlStaticGeometry(uint32_t vertexCount, uint32_t stride) : vertexCount_(vertexCount), stride_(stride) {}

    uint32_t vertexCount_, stride_;
    uint32_t indexCount_ = 0;
    GLuint vertexBuffer_ = 0;
    GLuint indexBuffer_ = 0;
};

} // namespace qv
