#include "platform/GraphicsDevice.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv {

namespace {

// Static geometry as the base keeps it: a copy in memory.
class HostGeometry : public StaticGeometry {
  public:
    HostGeometry(const void* vertices, uint32_t vertexCount, uint32_t stride)
        : vertexCount_(vertexCount), stride_(stride),
          bytes_(static_cast<const uint8_t*>(vertices),
                 static_cast<const uint8_t*>(vertices) + static_cast<size_t>(vertexCount) * stride) {}
    HostGeometry(std::span<const MeshVertex> vertices, std::span<const uint32_t> indices)
        : HostGeometry(vertices.data(), static_cast<uint32_t>(vertices.size()), sizeof(MeshVertex)) {
        indices_.assign(indices.begin(), indices.end());
    }

    uint32_t vertexCount() const { return vertexCount_; }
    uint32_t stride() const { return stride_; }
    const uint8_t* vertex(uint32_t i) const { return bytes_.data() + static_cast<size_t>(i) * stride_; }
    const std::vector<uint32_t>& indices() const { return indices_; }
    bool holds(const VertexRange& r) const {
        return r.first <= vertexCount_ && r.count <= vertexCount_ - r.first;
    }

    // The ranges side by side in one buffer that is kept for the next draw.
    const uint8_t* gather(std::span<const VertexRange> ranges) const {
        gathered_.clear();
        for (const VertexRange& r : ranges)
            gathered_.insert(gathered_.end(), vertex(r.first), vertex(r.first + r.count));
        return gathered_.data();
    }

  private:
    uint32_t vertexCount_, stride_;
    std::vector<uint8_t> bytes_;
    std::vector<uint32_t> indices_;
    mutable std::vector<uint8_t> gathered_;
};

uint32_t primitivesIn(PrimitiveType type, uint32_t vertexCount) {
    switch (type) {
    case PrimitiveType::PointList:
        return vertexCount;
    case PrimitiveType::TriangleList:
        return vertexCount / 3;
    case PrimitiveType::TriangleStrip:
    case PrimitiveType::TriangleFan:
        return vertexCount < 3 ? 0 : vertexCount - 2;
    }
    return 0;
}

} // namespace

void GraphicsDevice::beginFrame(Argb clearColor, float farPlane) {
    setTransform(TransformKind::Projection, frameProjection(farPlane));
    clear(clearColor);
    beginScene();
}

Matrix4 GraphicsDevice::frameProjection(float farPlane) {
    return Matrix4::perspectiveFovLH(kFieldOfView, kAspect, kNearPlane, farPlane);
}

Matrix4 GraphicsDevice::projectionFor(uint32_t width, uint32_t height, float farPlane) {
    if (width == 0 || height == 0)
        return Matrix4::perspectiveFovLH(kFieldOfView, kAspect, kNearPlane, farPlane);
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    float fieldOfView = kFieldOfView;
    if (aspect < kAspect)
        fieldOfView = 2.0f * std::atan(std::tan(kFieldOfView * 0.5f) * kAspect / aspect);
    return Matrix4::perspectiveFovLH(fieldOfView, aspect, kNearPlane, farPlane);
}

void GraphicsDevice::endFrame() {
    if (frameOverlay_ != nullptr)
        frameOverlay_->drawOver(*this);
    setTexture(nullptr);
    endScene();
    present();
}

std::unique_ptr<StaticGeometry> GraphicsDevice::createStaticVertices(const void* vertices,
                                                                     uint32_t vertexCount, uint32_t stride) {
    if (vertices == nullptr)
        return nullptr;
    return std::make_unique<HostGeometry>(vertices, vertexCount, stride);
}

std::unique_ptr<StaticGeometry> GraphicsDevice::createStaticMesh(std::span<const MeshVertex> vertices,
                                                                 std::span<const uint32_t> indices) {
    return std::make_unique<HostGeometry>(vertices, indices);
}

void GraphicsDevice::drawStatic(const StaticGeometry& geometry, PrimitiveType type,
                                std::span<const VertexRange> ranges) {
    const auto* host = dynamic_cast<const HostGeometry*>(&geometry);
    if (host == nullptr ||
        !std::all_of(ranges.begin(), ranges.end(), [host](auto& r) { return host->holds(r); }))
        return;
    if (type == PrimitiveType::TriangleList || type == PrimitiveType::PointList) {
        uint32_t count = 0;
        for (const VertexRange& r : ranges)
            count += r.count;
        // A device that does not read vertices is spared gathering them: it is handed the first.
        const uint8_t* vertices = readsVertices() ? host->gather(ranges) : host->vertex(ranges.front().first);
        if (primitivesIn(type, count) > 0)
            drawPrimitiveUP(type, primitivesIn(type, count), vertices, host->stride());
        return;
    }
    for (const VertexRange& r : ranges) {
        if (primitivesIn(type, r.count) > 0)
            drawPrimitiveUP(type, primitivesIn(type, r.count), host->vertex(r.first), host->stride());
    }
}

void GraphicsDevice::drawStaticMesh(const StaticGeometry& mesh) {
    const auto* host = dynamic_cast<const HostGeometry*>(&mesh);
    if (host == nullptr || host->indices().empty())
        return;
    drawIndexedTriangles(reinterpret_cast<const MeshVertex*>(host->vertex(0)), host->vertexCount(),
                         host->indices().data(), static_cast<uint32_t>(host->indices().size() / 3));
}

void GraphicsDevice::applyStartupStates() {
    // The device's own defaults first, so both back ends start from the same place.
    setRenderState(RenderState::ZWriteEnable, 1);
    setRenderState(RenderState::CullMode, kCullCcw);
    setRenderState(RenderState::FogEnable, 0);
    setRenderState(RenderState::FogTableMode, kFogNone);
    setRenderState(RenderState::FogVertexMode, kFogNone);
    setRenderStateFloat(RenderState::FogStart, 0.0f);
    setRenderStateFloat(RenderState::FogEnd, 1.0f);
    setRenderStateFloat(RenderState::PointSize, 1.0f);
    setRenderStateFloat(RenderState::PointSizeMin, 1.0f);
    setRenderStateFloat(RenderState::PointSizeMax, 64.0f);
    setRenderStateFloat(RenderState::PointScaleA, 1.0f);
    // Then the states the whole game assumes.
    setRenderState(RenderState::ZEnable, 1);
    setRenderState(RenderState::ShadeMode, kShadeGouraud);
    setRenderState(RenderState::AlphaBlendEnable, 1);
    setRenderState(RenderState::AlphaTestEnable, 1);
    setRenderState(RenderState::AlphaFunc, kCmpAlways);
    setRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
    setRenderState(RenderState::DestBlend, kBlendInvSrcAlpha);
    setRenderState(RenderState::Lighting, 0);
    setRenderState(RenderState::SpecularEnable, 0);
    setRenderState(RenderState::PointSpriteEnable, 1);
    setRenderState(RenderState::PointScaleEnable, 1);
    // Stage 0 always modulates texture by diffuse with linear filtering and a clear border;
    // the back ends build that in, so there is nothing more to set.
}

} // namespace qv
