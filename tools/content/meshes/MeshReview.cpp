#include "meshes/MeshReview.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace qv::content {

namespace {

constexpr Argb kSky = 0xFF4455FF;
constexpr Argb kGround = 0xFF5FC85F;
constexpr float kGroundHalf = 4.0f;
constexpr float kFar = 60.0f;

struct Bounds {
    Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::max()};
    Vec3 high{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
              -std::numeric_limits<float>::max()};

    void add(const Vec3& p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    bool empty() const { return low.x > high.x; }
};

Bounds boundsOf(const std::vector<MeshReview::Part>& parts) {
    Bounds bounds;
    for (const MeshReview::Part& part : parts)
        for (const MeshSubset& subset : part.model->subsets())
            for (const MeshVertex& v : subset.vertices)
                bounds.add(transformPoint({v.x, v.y, v.z}, part.world));
    return bounds;
}

// An eye far enough along the direction for the bounding sphere to fit the narrower field.
Matrix4 framingView(const Bounds& bounds, const Vec3& towardsEye) {
    const Vec3 centre = (bounds.low + bounds.high) * 0.5f;
    const float radius = std::max(length(bounds.high - bounds.low) * 0.5f, 0.05f);
    const float halfField = GraphicsDevice::kFieldOfView * 0.5f;
    const Vec3 eye = centre + normalize(towardsEye) * (radius / std::sin(halfField) * 1.05f);
    return Matrix4::lookAtLH(eye, centre, {0.0f, 1.0f, 0.0f});
}

} // namespace

MeshReview::MeshReview(GraphicsDevice& device) : device_(device), light_(device) {}

void MeshReview::drawGround() {
    const float h = kGroundHalf;
    const std::array<WorldVertex, 4> quad{{{-h, 0.0f, h, kGround, 0.0f, 0.0f},
                                           {h, 0.0f, h, kGround, 1.0f, 0.0f},
                                           {-h, 0.0f, -h, kGround, 0.0f, 1.0f},
                                           {h, 0.0f, -h, kGround, 1.0f, 1.0f}}};
    device_.setRenderState(RenderState::Lighting, 0);
    device_.setRenderState(RenderState::CullMode, kCullNone);
    device_.setVertexFormat(fvf::kWorld);
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(nullptr);
    device_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(WorldVertex));
    device_.setRenderState(RenderState::CullMode, kCullCcw);
}

void MeshReview::drawParts(const std::vector<Part>& parts, bool effects) {
    for (const Part& part : parts) {
        if ((part.effectTexture != nullptr) != effects)
            continue;
        device_.setTransform(TransformKind::World, part.world);
        device_.setTexture(part.effectTexture);
        if (!effects) {
            part.model->draw();
            continue;
        }
        // As the boost effect draws: its texture stays bound for every subset.
        device_.setVertexFormat(fvf::kMesh);
        for (const MeshSubset& subset : part.model->subsets()) {
            device_.setMaterial(part.model->materials()[subset.materialIndex]);
            device_.drawIndexedTriangles(subset.vertices.data(),
                                         static_cast<uint32_t>(subset.vertices.size()), subset.indices.data(),
                                         static_cast<uint32_t>(subset.indices.size() / 3));
        }
    }
}

Image MeshReview::render(const std::vector<Part>& parts, const Vec3& towardsEye) {
    const Bounds bounds = boundsOf(parts);
    device_.beginFrame(kSky, kFar);
    if (!bounds.empty())
        device_.setTransform(TransformKind::View, framingView(bounds, towardsEye));
    device_.setRenderState(RenderState::ZEnable, 1);
    device_.setRenderState(RenderState::ZWriteEnable, 1);
    device_.setRenderState(RenderState::AlphaBlendEnable, 0);
    drawGround();
    light_.apply();
    device_.setRenderState(RenderState::Lighting, 1);
    drawParts(parts, false);
    device_.setRenderState(RenderState::Lighting, 0);
    device_.setRenderState(RenderState::AlphaBlendEnable, 1);
    device_.setRenderState(RenderState::ZWriteEnable, 0);
    drawParts(parts, true);
    device_.setRenderState(RenderState::ZWriteEnable, 1);
    device_.endFrame();
    Image image;
    device_.readBackBuffer(image);
    return image;
}

} // namespace qv::content
