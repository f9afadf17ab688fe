#include "field/WaterSurface.h"

namespace qv {

namespace {
constexpr std::array<VertexRange, 1> kQuad{{{0, 4}}};
} // namespace

WaterSurface::WaterSurface(GraphicsDevice& device, const GameState& state, const SceneOptions& options)
    : device_(device) {
    const float r = static_cast<float>(GameState::clampSightRange(state.sightRange));
    const Argb color = options.palette == 1 ? kColoredWater : kPaleWater;
    quad_ = {{{-1.2f, 0.0f, -r, color, 0.0f, 0.0f},
              {-1.2f, 0.0f, r, color, 0.0f, 0.0f},
              {r, 0.0f, -r, color, 0.0f, 0.0f},
              {r, 0.0f, r, color, 0.0f, 0.0f}}};
    geometry_ =
        device_.createStaticVertices(quad_.data(), static_cast<uint32_t>(quad_.size()), sizeof(WorldVertex));
}

void WaterSurface::draw(const Vec3& eye, float yaw) {
    device_.setTransform(TransformKind::World,
                         Matrix4::rotationY(-yaw) * Matrix4::translation(eye.x, waterLevel_, eye.z));
    device_.setTexture(nullptr);
    if (geometry_)
        device_.drawStatic(*geometry_, PrimitiveType::TriangleStrip, kQuad);
}

} // namespace qv
