#include "characters/GoalCharacter.h"

#include "core/Angles.h"
#include "world/Camera.h"

#include <cmath>
#include <numbers>

namespace qv {

namespace {

// Tumble of the flying figure per frame about x, y and z.
constexpr Vec3 kTumble{0.32f, 0.2f, 0.26f};

} // namespace

GoalCharacter::GoalCharacter(GraphicsDevice& device, ContentCache& content, SoundSystem& sound,
                             const Field& field, const Camera& camera, GameState& state)
    : device_(device), field_(field), camera_(camera), state_(state), mesh_(device, content, kMeshFile),
      laughClip_(sound.createClip(kLaughFile, false)),
      knockDownClip_(sound.createClip(kKnockDownFile, false)) {}

GoalCharacter::~GoalCharacter() {
    stopAndRelease(laughClip_);
    stopAndRelease(knockDownClip_);
}

void GoalCharacter::startAt(const Vec3& point) {
    goalPosition_ = previousGoalPosition_ = flightPosition_ = point;
    goalDistance_ = 0.0f;
    flightVelocity_ = flightRotation_ = Vec3{};
    idleSpin_ = 0.0f;
    flightFrames_ = 0;
    // The flight runs from the start but stays unseen until the first knock-down.
    flying_ = true;
    notYetKnockedDown_ = true;
}

void GoalCharacter::launchFlightFromGoal() {
    flightPosition_ = goalPosition_;
    flightRotation_ = Vec3{0.0f, idleSpin_, 0.0f};
}

void GoalCharacter::moveGoal(const Vec3& position, float distance) {
    previousGoalPosition_ = goalPosition_;
    goalPosition_ = position;
    goalDistance_ = distance;
}

void GoalCharacter::update() {
    idleSpin_ = wrapOnce(idleSpin_ + kIdleSpinStep);
    if (flying_)
        flyOneFrame();
}

void GoalCharacter::flyOneFrame() {
    if (flightFrames_ > kFlightFrames) {
        flying_ = false;
        flightFrames_ = 0;
        return;
    }
    flightVelocity_.y -= kFlightGravity;
    flightPosition_ += flightVelocity_;
    flightRotation_ = {wrapOnce(flightRotation_.x + kTumble.x), wrapOnce(flightRotation_.y + kTumble.y),
                       wrapOnce(flightRotation_.z + kTumble.z)};
    ++flightFrames_;
}

void GoalCharacter::laugh() {
    laughClip_->play();
}

void GoalCharacter::knockDown(float speed, float direction) {
    knockDownClip_->play();
    notYetKnockedDown_ = false;
    flying_ = true;
    distancePending_ = true;
    // A knock-down during a flight carries on that flight's frame count.
    flightVelocity_ = {std::cos(direction) * speed * kFlightPush, kFlightLift,
                       std::sin(direction) * speed * kFlightPush};
    placeNextGoal();
}

float GoalCharacter::takePendingDistance() {
    if (!distancePending_)
        return 0.0f;
    distancePending_ = false;
    return goalDistance_;
}

void GoalCharacter::draw(bool standingShown) {
    if (flying_ && !notYetKnockedDown_ && nearCamera(flightPosition_)) {
        drawFigure(Matrix4::scaling(kScale, kScale, kScale) * Matrix4::rotationX(flightRotation_.x) *
                   Matrix4::rotationY(-flightRotation_.y) * Matrix4::rotationZ(flightRotation_.z) *
                   Matrix4::translation(flightPosition_.x, flightPosition_.y, flightPosition_.z));
    }
    if (standingShown && nearCamera(goalPosition_)) {
        drawFigure(Matrix4::scaling(kScale, kScale, kScale) * Matrix4::rotationY(-idleSpin_) *
                   Matrix4::translation(goalPosition_.x, goalPosition_.y, goalPosition_.z));
    }
}

bool GoalCharacter::nearCamera(const Vec3& point) const {
    return length(point - camera_.eye()) < static_cast<float>(state_.sightRange) + kDrawMargin;
}

void GoalCharacter::drawFigure(const Matrix4& world) const {
    device_.setTransform(TransformKind::World, world);
    mesh_.draw();
}

} // namespace qv
