#include "world/Camera.h"

#include "platform/GameAction.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv {

namespace {

constexpr Vec3 kUp{0.0f, 1.0f, 0.0f};
constexpr float kLookAtLift = 5.0f; // the first look-at, high above the rider

// Trackside view: the eye stands this high over the ground, and never lower than this over the
// resting water while it waits.
constexpr float kTracksideLift = 0.3f;
constexpr float kTracksideFloor = 0.745f;
constexpr float kFieldInner = 0.1f; // terrain is only asked about well inside the field
constexpr float kFieldOuter = 99.9f;
constexpr float kJumpMargin = 3.5f;      // jump once the rider is this close to the sight range
constexpr float kJumpReach = 0.6666667f; // ... landing two thirds of the sight range ahead
constexpr float kRandomScale = 32767.0f;

// The camera actions (number keys 0 to 6 by default) in the order they are tested; the first one
// held wins.
constexpr std::array kModeActions{GameAction::Camera0, GameAction::Camera1, GameAction::Camera2,
                                  GameAction::Camera3, GameAction::Camera4, GameAction::Camera5,
                                  GameAction::Camera6};

// Exponential smoothing toward a target: (k * old + terms...) * c, summed left to right.
template <typename... Terms> float smooth(float k, float old, float c, Terms... terms) {
    float sum = k * old;
    ((sum += terms), ...);
    return sum * c;
}

} // namespace

Camera::Camera(GraphicsDevice& device, KeyboardInput& keyboard, const Rider& rider, const Field& field,
               GameState& state)
    : device_(device), keyboard_(keyboard), rider_(rider), field_(field), state_(state) {
    lookAt_ = rider_.position();
    lookAt_.y += kLookAtLift;
}

void Camera::selectMode() {
    if (state_.demoMode) {
        ++modeTimer_;
        if (modeTimer_ > kDemoModeInterval) {
            // Eight outcomes folded onto 1..6: the demo never picks the high chase.
            const int pick = std::clamp(state_.random.next() % 8, 1, 6);
            mode_ = static_cast<CameraMode>(pick);
            modeTimer_ = 0;
        }
    }
    for (size_t digit = 0; digit < kModeActions.size(); ++digit) {
        if (keyboard_.held(kModeActions[digit])) {
            mode_ = static_cast<CameraMode>(digit);
            return;
        }
    }
}

void Camera::update() {
    const Vec3& p = rider_.position();
    const float d = rider_.direction();
    const float f = rider_.heading();
    applyRule({p, rider_.speed(), std::cos(d), std::sin(d), std::cos(f), std::sin(f)});
    yaw_ = std::atan2(lookAt_.z - eye_.z, lookAt_.x - eye_.x);
    setView();
}

void Camera::applyRule(const Target& t) {
    switch (mode_) {
    case CameraMode::FinishView:
        return finishView(t);
    case CameraMode::StartView:
        return startView(t);
    case CameraMode::HighChase:
        return highChase(t);
    case CameraMode::RiderEye:
        return riderEye(t);
    case CameraMode::CloseBehind:
        return closeBehind(t);
    case CameraMode::Chase:
        return chase(t);
    case CameraMode::LowChase:
        return lowChase(t);
    case CameraMode::FacingBack:
        return facingBack(t);
    case CameraMode::Trackside:
        return trackside(t);
    }
}

// The chase views look at a point halfway between the old look-at and the rider.
void Camera::followRiderXZ(const Target& t) {
    lookAt_.x = smooth(1.0f, lookAt_.x, 0.5f, t.p.x);
    lookAt_.z = smooth(1.0f, lookAt_.z, 0.5f, t.p.z);
}

void Camera::highChase(const Target& t) {
    eye_.x = smooth(15.0f, eye_.x, 0.0625f, t.p.x, -3.5f * t.cosD);
    eye_.z = smooth(15.0f, eye_.z, 0.0625f, t.p.z, -3.5f * t.sinD);
    eye_.y = smooth(15.0f, eye_.y, 0.0625f, t.p.y, 3.5f);
    followRiderXZ(t);
    lookAt_.y = smooth(4.0f, lookAt_.y, 0.2f, t.p.y, 0.3f);
}

void Camera::riderEye(const Target& t) {
    eye_ = {t.p.x, t.p.y + 0.2f, t.p.z};
    lookAt_ = {t.p.x + 10.0f * t.cosF, t.p.y, t.p.z + 10.0f * t.sinF};
}

// Halfway toward a point half a unit behind the rider's head, at the given height over it.
void Camera::halfwayBehindHead(const Target& t, float lift) {
    eye_.x = smooth(1.0f, eye_.x, 0.5f, t.p.x, -0.5f * t.cosF);
    eye_.z = smooth(1.0f, eye_.z, 0.5f, t.p.z, -0.5f * t.sinF);
    eye_.y = smooth(1.0f, eye_.y, 0.5f, t.p.y, lift);
    followRiderXZ(t);
    lookAt_.y = smooth(1.0f, lookAt_.y, 0.5f, t.p.y, 0.2f);
}

void Camera::closeBehind(const Target& t) {
    halfwayBehindHead(t, 0.24f);
}

void Camera::chase(const Target& t) {
    if (length(t.p - eye_) < 0.6f)
        return halfwayBehindHead(t, 0.25f);
    // Further off it closes in more slowly and rises with the speed, by at most 0.6.
    eye_.x = smooth(4.0f, eye_.x, 0.2f, t.p.x, -0.5f * t.cosF);
    eye_.z = smooth(4.0f, eye_.z, 0.2f, t.p.z, -0.5f * t.sinF);
    eye_.y = smooth(3.0f, eye_.y, 0.25f, std::min(t.p.y + 2.0f * t.s + 0.25f, t.p.y + 0.6f));
    followRiderXZ(t);
    lookAt_.y = smooth(1.0f, lookAt_.y, 0.5f, t.p.y, t.s, 0.2f);
}

void Camera::lowChase(const Target& t) {
    eye_.x = smooth(7.0f, eye_.x, 0.125f, t.p.x, -t.cosD);
    eye_.z = smooth(7.0f, eye_.z, 0.125f, t.p.z, -t.sinD);
    eye_.y = smooth(4.0f, eye_.y, 0.2f, t.p.y, 0.7f);
    followRiderXZ(t);
    lookAt_.y = smooth(4.0f, lookAt_.y, 0.2f, t.p.y, 0.3f);
}

void Camera::facingBack(const Target& t) {
    eye_.x = smooth(1.0f, eye_.x, 0.5f, t.p.x, 1.1f * t.cosD);
    eye_.z = smooth(1.0f, eye_.z, 0.5f, t.p.z, 1.1f * t.sinD);
    eye_.y = smooth(2.0f, eye_.y, 0.33333334f, t.p.y, 0.4f);
    followRiderXZ(t);
    lookAt_.y = smooth(2.0f, lookAt_.y, 0.33333334f, t.p.y);
}

void Camera::trackside(const Target& t) {
    const float range = static_cast<float>(GameState::clampSightRange(state_.sightRange));
    if (length(t.p - eye_) > range - kJumpMargin) {
        // The two draws come in this order: x first, then z.
        const float r1 = static_cast<float>(state_.random.next()) / kRandomScale;
        const float r2 = static_cast<float>(state_.random.next()) / kRandomScale;
        eye_.x = t.p.x + kJumpReach * range * t.cosD + r1;
        eye_.z = t.p.z + kJumpReach * range * t.sinD + r2;
        // A jump may land lower than the waiting floor for this one update.
        eye_.y = heightOverGround(eye_.x, eye_.z);
    } else {
        eye_.x = smooth(300.0f, eye_.x, 0.003322259f, t.p.x);
        eye_.z = smooth(300.0f, eye_.z, 0.003322259f, t.p.z);
        eye_.y = std::max(heightOverGround(eye_.x, eye_.z), kTracksideFloor);
    }
    lookAt_ = t.p;
}

void Camera::startView(const Target& t) {
    eye_.x = smooth(39.0f, eye_.x, 0.025f, t.p.x, -0.5f);
    eye_.z = smooth(39.0f, eye_.z, 0.025f, t.p.z);
    eye_.y = smooth(45.0f, eye_.y, 0.02173913f, t.p.y, 0.25f);
    lookAt_.x = smooth(4.0f, lookAt_.x, 0.2f, t.p.x);
    lookAt_.z = smooth(4.0f, lookAt_.z, 0.2f, t.p.z);
    lookAt_.y = smooth(4.0f, lookAt_.y, 0.2f, t.p.y, 0.2f);
}

void Camera::finishView(const Target& t) {
    eye_.x = smooth(12.0f, eye_.x, 0.07692308f, t.p.x, -0.65f);
    eye_.z = smooth(12.0f, eye_.z, 0.07692308f, t.p.z, -0.65f);
    eye_.y = smooth(5.0f, eye_.y, 0.16666667f, t.p.y, 0.26f);
    lookAt_.x = smooth(3.0f, lookAt_.x, 0.25f, t.p.x, 0.4f);
    lookAt_.z = smooth(3.0f, lookAt_.z, 0.25f, t.p.z, 0.45f);
    lookAt_.y = smooth(3.0f, lookAt_.y, 0.25f, t.p.y, 0.2f);
}

float Camera::heightOverGround(float x, float z) const {
    const bool onField = kFieldInner < x && x < kFieldOuter && kFieldInner < z && z < kFieldOuter;
    return onField ? field_.heightAt(x, z) + kTracksideLift : kTracksideFloor;
}

void Camera::setView() {
    // Looking straight up or down leaves no sideways axis and would collapse the view; keep the
    // last good one for that update instead.
    if (lookAt_.x != eye_.x || lookAt_.z != eye_.z)
        view_ = Matrix4::lookAtLH(eye_, lookAt_, kUp);
    device_.setTransform(TransformKind::View, view_);
}

} // namespace qv
