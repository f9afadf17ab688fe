#include "characters/TargetArrow.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"
#include "core/Angles.h"

#include <cmath>
#include <numbers>

namespace qv {

namespace {

// Heights of the arrow above the rider's origin, per view.
constexpr float kHighChaseLift = 0.8f;
constexpr float kNearLift = 0.35f; // the rider's-eye and close-behind views
constexpr float kDefaultLift = 0.38f;
constexpr float kRiderEyeAhead = 0.5f;

// The scale eases toward its base size plus a pulse that fades with the distance to the goal.
constexpr float kEase = 0.2f;
constexpr float kKeep = 4.0f;
constexpr float kPulseSize = 0.012f * 100.0f;
constexpr float kPulseDistanceOffset = 3.0f;

// Point sprite states: small, growing with distance so the marker stays visible far away.
constexpr float kPointSize = 1.5f;
constexpr float kPointSizeMax = 10000.0f;
constexpr float kPointSizeMin = 0.2f;
constexpr float kPointScaleA = 0.0f;
constexpr float kPointScaleB = 6.0f;
constexpr float kPointScaleC = 0.0f;

constexpr Argb kMarkerWhite = 0xFFFFFFFF;
constexpr Argb kMarkerHidden = 0x00000000;

} // namespace

TargetArrow::TargetArrow(GraphicsDevice& device, ContentCache& content, const Rider& rider,
                         const GoalCourse& goalCourse, const Camera& camera, const GameState& state)
    : device_(device), rider_(rider), goalCourse_(goalCourse), camera_(camera), state_(state),
      markerTexture_(requireTexture(device, content, data::kTargetTexture)),
      mesh_(device, content, data::kArrowMesh) {
    placeAndAim();
}

Vec3 TargetArrow::arrowPosition(CameraMode mode, const Vec3& riderPosition, float heading) {
    switch (mode) {
    case CameraMode::HighChase:
        return riderPosition + Vec3{0.0f, kHighChaseLift, 0.0f};
    case CameraMode::RiderEye:
        return riderPosition +
               Vec3{kRiderEyeAhead * std::cos(heading), kNearLift, kRiderEyeAhead * std::sin(heading)};
    case CameraMode::CloseBehind:
        return riderPosition + Vec3{0.0f, kNearLift, 0.0f};
    default:
        return riderPosition + Vec3{0.0f, kDefaultLift, 0.0f};
    }
}

TargetArrow::Aim TargetArrow::aimAt(const Vec3& from, const Vec3& to) {
    const Vec3 d = to - from;
    return {-std::atan2(d.z, d.x), std::atan2(d.y, std::sqrt(d.x * d.x + d.z * d.z))};
}

Argb TargetArrow::markerColour(float distance, int32_t sightRange, uint32_t k) {
    const float range = static_cast<float>(sightRange);
    if (distance <= range - 2.0f)
        return kMarkerHidden; // the goal itself is in sight
    if (k % kMarkerCycle == 0)
        return kMarkerWhite;
    const bool first = k % kMarkerCycle == 1;
    if (distance > 3.0f * range)
        return first ? 0xFF0000FF : 0xFF0088FF;
    if (distance > 2.0f * range)
        return first ? 0xFF007700 : 0xFFFFFF00;
    return first ? 0xFFFF0000 : 0xFFFF6600;
}

float TargetArrow::placeAndAim() {
    position_ = arrowPosition(camera_.mode(), rider_.position(), rider_.heading());
    aim_ = aimAt(position_, goalCourse_.goalPosition());
    return length(goalCourse_.goalPosition() - position_);
}

void TargetArrow::update() {
    const float distance = placeAndAim();
    pulse_ += kPulseStep;
    if (pulse_ > kPi)
        pulse_ -= kPi;
    scale_ = kEase * (kKeep * scale_ + kStartScale +
                      kPulseSize * std::sin(pulse_) / (distance + kPulseDistanceOffset));
}

Matrix4 TargetArrow::world() const {
    return Matrix4::rotationZ(aim_.pitch) * Matrix4::rotationY(aim_.yaw) *
           Matrix4::scaling(scale_, scale_, scale_) *
           Matrix4::translation(position_.x, position_.y, position_.z);
}

void TargetArrow::draw() {
    device_.setTransform(TransformKind::World, world());
    mesh_.draw();
}

void TargetArrow::drawMarker() {
    device_.setRenderStateFloat(RenderState::PointSize, kPointSize);
    device_.setRenderStateFloat(RenderState::PointSizeMax, kPointSizeMax);
    device_.setRenderStateFloat(RenderState::PointSizeMin, kPointSizeMin);
    device_.setRenderStateFloat(RenderState::PointScaleA, kPointScaleA);
    device_.setRenderStateFloat(RenderState::PointScaleB, kPointScaleB);
    device_.setRenderStateFloat(RenderState::PointScaleC, kPointScaleC);

    ++markerFrames_;
    const Vec3& goal = goalCourse_.goalPosition();
    marker_.diffuse = markerColour(length(goal - rider_.position()), state_.sightRange, markerFrames_);

    device_.setTexture(markerTexture_.get());
    device_.setTransform(TransformKind::World, Matrix4::translation(goal.x, goal.y, goal.z));
    device_.drawPrimitiveUP(PrimitiveType::PointList, 1, &marker_, sizeof(SplashPoint));
}

} // namespace qv
