#include "world/SkyBackdrop.h"

#include <algorithm>

namespace qv {

namespace {
constexpr std::array<VertexRange, 2> kHazeThenSky{{{0, 4}, {4, 4}}};
} // namespace

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
    std::array<WorldVertex, 8> both;
    std::copy(haze_.begin(), haze_.end(), both.begin());
    std::copy(sky_.begin(), sky_.end(), both.begin() + 4);
    geometry_ =
        device_.createStaticVertices(both.data(), static_cast<uint32_t>(both.size()), sizeof(WorldVertex));
}

void SkyBackdrop::draw(const Vec3& eye, float yaw) {
    device_.setTransform(TransformKind::World,
                         Matrix4::rotationY(-yaw) * Matrix4::translation(eye.x, eye.y, eye.z));
    device_.setTexture(nullptr);
    if (geometry_)
        device_.drawStatic(*geometry_, PrimitiveType::TriangleStrip, kHazeThenSky);
}

} // namespace qv
