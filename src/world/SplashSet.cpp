#include "world/SplashSet.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"
#include "core/Angles.h"
#include "core/Matrix4.h"
#include "core/Random.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr float kRimRadius = 0.07f; // particles start on a small ring around the rider
constexpr float kThrow = 0.23f;
constexpr float kLift = 0.03f;
constexpr float kParticlesPerSpeed = 400.0f;

// Each sprite is the viewport height x 0.007 divided by its eye distance, at most 100 pixels.
constexpr float kPointSize = 0.007f;
constexpr float kPointSizeMax = 100.0f;
constexpr float kPointSizeMin = 0.0f;

} // namespace

SplashSet::SplashSet(GraphicsDevice& device, ContentCache& content, SoundSystem& sound,
                     const WaterSurface& water, GameState& state, const SceneOptions& options)
    : device_(device), water_(water), state_(state), enabled_(options.splashes) {
    if (!enabled_)
        return;
    points_.assign(kPoints, SplashPoint{kParked.x, kParked.y, kParked.z, kColor});
    velocities_.assign(kPoints, Vec3{});
    active_.assign(kPoints, 0);
    wadeSound_ = sound.createClip(data::kWadeSound, false);
    deepSound_ = sound.createClip(data::kDeepSplashSound, false);
    texture_ = requireTexture(device_, content, data::kSplashTexture);
}

size_t SplashSet::activeCount() const {
    return static_cast<size_t>(std::count(active_.begin(), active_.end(), uint8_t{1}));
}

void SplashSet::spawn(const Vec3& position, float speed, int32_t waterContact) {
    if (!enabled_ || !(speed >= kMinSpeed))
        return;
    playSound(waterContact);
    const int32_t burst = burstSize(speed, waterContact);
    int32_t started = 0;
    for (size_t i = 0; i < kPoints && started < burst; ++i) {
        if (active_[i])
            continue;
        launch(i, position, speed, waterContact);
        ++started;
    }
}

void SplashSet::playSound(int32_t waterContact) {
    if (framesSinceSound_ <= kSoundGap || waterContact <= 0)
        return;
    (waterContact == 1 ? wadeSound_ : deepSound_)->play();
    framesSinceSound_ = 0;
}

// Out of the water (contact 0) there is no spray at all.
int32_t SplashSet::burstSize(float speed, int32_t waterContact) {
    const float count = static_cast<float>(waterContact) * speed * kParticlesPerSpeed;
    if (!(count > 0.0f))
        return 0;
    return count >= static_cast<float>(kMaxBurst) ? kMaxBurst : static_cast<int32_t>(count);
}

// The four draws come in this order: angle, then x, z and y throw.
void SplashSet::launch(size_t i, const Vec3& position, float speed, int32_t waterContact) {
    const float w = static_cast<float>(waterContact);
    const float a = nextUnit() * kTwoPi;
    const float c = std::cos(a);
    const float s = std::sin(a);
    points_[i].x = position.x + kRimRadius * c;
    points_[i].y = position.y;
    points_[i].z = position.z + kRimRadius * s;
    Vec3& v = velocities_[i];
    v.x = nextUnit() * speed * c * w * kThrow;
    v.z = nextUnit() * speed * s * w * kThrow;
    v.y = nextUnit() * speed * w * kThrow + kLift;
    active_[i] = 1;
    activeEnd_ = std::max(activeEnd_, i + 1);
}

float SplashSet::nextUnit() {
    return static_cast<float>(state_.random.next()) / static_cast<float>(Random::kMax);
}

void SplashSet::update() {
    ++framesSinceSound_;
    if (!enabled_)
        return;
    const float level = water_.waterLevel();
    for (size_t i = 0; i < activeEnd_; ++i) {
        if (!active_[i])
            continue;
        Vec3& v = velocities_[i];
        v.y -= kGravity;
        SplashPoint& p = points_[i];
        p.x += v.x;
        p.y += v.y;
        p.z += v.z;
        if (level > p.y && v.y < 0.0f)
            park(i);
    }
    while (activeEnd_ > 0 && !active_[activeEnd_ - 1])
        --activeEnd_;
}

void SplashSet::park(size_t i) {
    points_[i].x = kParked.x;
    points_[i].y = kParked.y;
    points_[i].z = kParked.z;
    velocities_[i] = Vec3{};
    active_[i] = 0;
}

void SplashSet::draw() {
    if (!enabled_)
        return;
    device_.setRenderStateFloat(RenderState::PointSize, kPointSize);
    device_.setRenderStateFloat(RenderState::PointSizeMax, kPointSizeMax);
    device_.setRenderStateFloat(RenderState::PointSizeMin, kPointSizeMin);
    device_.setRenderStateFloat(RenderState::PointScaleA, 0.0f);
    device_.setRenderStateFloat(RenderState::PointScaleB, 0.0f);
    device_.setRenderStateFloat(RenderState::PointScaleC, 1.0f);
    device_.setTexture(texture_.get());
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.drawPrimitiveUP(PrimitiveType::PointList, static_cast<uint32_t>(kPoints), points_.data(),
                            sizeof(SplashPoint));
}

} // namespace qv
