#include "field/WaterSurface.h"

namespace qv {

WaterSurface::WaterSurface(GraphicsDevice& device, const GameState& state, const SceneOptions& options)
    : device_(device) {
    const float r = static_cast<float>(GameState::clampSightRange(state.sightRange));
    const Argb color = options.palette == 1 ? kColoredWater : kPaleWater;
    quad_ = {{{-1.2f, 0.0f, -r, color, 0.0f, 0.0f},
              {-1.2f, 0.0f, r, color, 0.0f, 0.0f},
              {r, 0.0f, -r, color, 0.0f, 0.0f},
              {r, 0.0f, r, color, 0.0f, 0.0f}}};
}

void WaterSurface::draw(const Vec3& eye, float yaw) {
    device_.setTransform(TransformKind::World,
                         Matrix4::rotationY(-yaw) * Matrix4::translation(eye.x, waterLevel_, eye.z));
    device_.setTexture(nullptr);
    device_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad_.data(), sizeof(WorldVertex));
}

} // namespace qv
