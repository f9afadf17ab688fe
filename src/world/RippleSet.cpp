#include "world/RippleSet.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"
#include "core/Matrix4.h"

#include <algorithm>

namespace qv {

namespace {

// A flat 2 x 2 square around the origin; the draw scales it to the ring's size.
constexpr std::array<WorldVertex, 4> kQuad{{{-1.0f, 0.0f, -1.0f, 0xFFFFFFFFu, 0.0f, 0.0f},
                                            {-1.0f, 0.0f, 1.0f, 0xFFFFFFFFu, 1.0f, 0.0f},
                                            {1.0f, 0.0f, -1.0f, 0xFFFFFFFFu, 0.0f, 1.0f},
                                            {1.0f, 0.0f, 1.0f, 0xFFFFFFFFu, 1.0f, 1.0f}}};

// Spawn spacing: the wait shrinks by one update per 1/45 of speed.
constexpr int32_t kSlowestWait = 10;
constexpr float kWaitPerSpeed = 45.0f;
// Any faster changes nothing (the wait is already below zero) and keeps the
// float-to-int conversion in range.
constexpr float kSpeedCap = 1.0f;

// Alpha 213 at age 1 down to 10 at age 30; white throughout.
constexpr int32_t kAlphaAtBirth = 220;
constexpr int32_t kAlphaPerAge = 7;
// Half width 0.062 at age 1 up to 0.7 at age 30.
constexpr float kGrowthPerAge = 0.022f;
constexpr float kBaseScale = 0.04f;

Argb colourAt(int32_t age) {
    const auto alpha = static_cast<uint32_t>(kAlphaAtBirth - kAlphaPerAge * age);
    return (alpha << 24) | 0x00FFFFFFu;
}

} // namespace

RippleSet::RippleSet(GraphicsDevice& device, ContentCache& content, const WaterSurface& water,
                     const SceneOptions& options)
    : device_(device), water_(water), enabled_(options.ripples) {
    if (!enabled_)
        return;
    quad_ = kQuad;
    texture_ = requireTexture(device_, content, data::kRippleTexture);
}

bool RippleSet::readyToSpawn(const Vec3& position, float speed) const {
    if (!enabled_ || !(water_.waterLevel() >= position.y) || !(speed >= kMinSpeed))
        return false;
    const auto speedSteps = static_cast<int32_t>(kWaitPerSpeed * std::min(speed, kSpeedCap));
    return framesSinceSpawn_ >= kSlowestWait - speedSteps;
}

void RippleSet::spawn(const Vec3& position, float speed) {
    if (!readyToSpawn(position, speed))
        return;
    const auto free =
        std::find_if(ripples_.begin(), ripples_.end(), [](const Ripple& r) { return !r.active; });
    if (free == ripples_.end())
        return;
    *free = Ripple{position.x, position.z, 0, true};
    framesSinceSpawn_ = 0;
}

void RippleSet::update() {
    if (!enabled_)
        return;
    ++framesSinceSpawn_;
    for (Ripple& ripple : ripples_) {
        if (!ripple.active)
            continue;
        if (++ripple.age > kLifetime)
            ripple = Ripple{ripple.x, ripple.z, 0, false};
    }
}

void RippleSet::draw() {
    if (!enabled_)
        return;
    device_.setTexture(texture_.get());
    for (const Ripple& ripple : ripples_)
        if (ripple.active)
            drawRipple(ripple);
}

void RippleSet::drawRipple(const Ripple& ripple) {
    const Argb colour = colourAt(ripple.age);
    for (WorldVertex& v : quad_)
        v.diffuse = colour;
    const float k = kGrowthPerAge * static_cast<float>(ripple.age) + kBaseScale;
    device_.setTransform(TransformKind::World,
                         Matrix4::scaling(k, 1.0f, k) *
                             Matrix4::translation(ripple.x, water_.waterLevel(), ripple.z));
    device_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad_.data(), sizeof(WorldVertex));
}

} // namespace qv
