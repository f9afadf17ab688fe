#include "world/SkyBackdrop.h"

namespace qv {

SkyBackdrop::SkyBackdrop(GraphicsDevice& device, const GameState& state) : device_(device) {
    const float r = static_cast<float>(GameState::clampSightRange(state.sightRange));
    // Local x looks ahead, z to the side: the sky falls from 5 above the eye to eye height at
    // the horizon; the haze rises from 20 below to just over it, where the sky covers it.
    sky_ = {{{0.0f, 5.0f, r, kSkyColor, 0.0f, 0.0f},
             {0.0f, 5.0f, -r, kSkyColor, 0.0f, 0.0f},
             {r, 0.0f, r, kFogColor, 0.0f, 0.0f},
             {r, 0.0f, -r, kFogColor, 0.0f, 0.0f}}};
    haze_ = {{{r, 0.5f, r, kFogColor, 0.0f, 0.0f},
              {r, 0.5f, -r, kFogColor, 0.0f, 0.0f},
              {0.0f, -20.0f, r, kFogColor, 0.0f, 0.0f},
              {0.0f, -20.0f, -r, kFogColor, 0.0f, 0.0f}}};
}

void SkyBackdrop::draw(const Vec3& eye, float yaw) {
    device_.setTransform(TransformKind::World,
                         Matrix4::rotationY(-yaw) * Matrix4::translation(eye.x, eye.y, eye.z));
    device_.setTexture(nullptr);
    device_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, haze_.data(), sizeof(WorldVertex));
    device_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, sky_.data(), sizeof(WorldVertex));
}

} // namespace qv
