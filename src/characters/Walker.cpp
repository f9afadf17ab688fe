#include "characters/Walker.h"

#include "field/WaterSurface.h"
#include "rider/Rider.h"

#include <cmath>
#include <numbers>

namespace qv {

Walker::Walker(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const Rider& rider,
               const WaterSurface& water, const GameState& state)
    : device_(device), rider_(rider), water_(water), state_(state), mesh_(device, content, kMeshFile),
      laughClip_(sound.createClip(kLaughFile, true)) {}

Walker::~Walker() {
    laughClip_->stop();
}

void Walker::launch() {
    scale_ = kFlightScale;
    position_ = kLaunchPosition;
    velocity_ = kLaunchVelocity;
    heading_ = std::atan2(kLaunchVelocity.z, kLaunchVelocity.x);
}

void Walker::fly() {
    velocity_.y -= kGravity;
    position_ += velocity_;
    // The figure leans along its arc.
    tilt_ = std::atan2(velocity_.y, velocity_.x);
}

void Walker::spawn(const Vec3& eye, float yaw) {
    const float reach = static_cast<float>(state_.sightRange) + kSpawnBeyondSight;
    scale_ = kWalkScale;
    position_ = {eye.x + std::cos(yaw) * reach, water_.waterLevel(), eye.z + std::sin(yaw) * reach};
    tilt_ = kSpawnTilt;
    velocity_.y = 0.0f;
    // Facing back toward the camera.
    headFor(yaw + std::numbers::pi_v<float>, kSpawnSpeed);
    laughClip_->play();
}

void Walker::walk() {
    const Vec3& target = rider_.position();
    headFor(std::atan2(target.z - position_.z, target.x - position_.x), kWalkSpeed);
    position_ += velocity_;
    position_.y = water_.waterLevel();
}

void Walker::headFor(float heading, float speed) {
    heading_ = heading;
    velocity_.x = std::cos(heading) * speed;
    velocity_.z = std::sin(heading) * speed;
}

void Walker::draw() {
    device_.setTransform(TransformKind::World,
                         Matrix4::rotationZ(tilt_) * Matrix4::rotationY(-heading_) *
                             Matrix4::scaling(scale_, scale_, scale_) *
                             Matrix4::translation(position_.x, position_.y + kDrawLift, position_.z));
    mesh_.draw();
}

} // namespace qv
