#include "rider/Rider.h"

#include "assets/DataFiles.h"
#include "core/Angles.h"

#include <cmath>
#include <numbers>

namespace qv {

namespace {

constexpr float kStartX = 50.0f;
constexpr float kStartZ = 50.0f;
constexpr float kCourseMin = 0.5f;
constexpr float kCourseMax = 99.5f;

constexpr float kGravity = 0.0055f;
constexpr float kSlopeGain = 0.0055f;
// Below this sideways slip a gripping wheel removes nearly all of it.
constexpr float kSlipAtRest = 0.002f;
constexpr float kSlipAtRestShare = 0.1f;
constexpr float kSteerGain = 0.32f;
constexpr float kTurnLimit = 0.1f;
constexpr float kSkidStart = 0.15f;
constexpr float kSkidEnd = 0.05f;
constexpr float kJumpImpulse = 0.064f;
constexpr float kLean = 70.0f; // how far the body leans against this tick's acceleration

constexpr float kAirTurn = 0.0032f;
constexpr float kWaterDrag = 0.997f;
constexpr float kWaterTurnKeep = 0.98f;
constexpr float kWaterTurn = 0.00384f;
constexpr float kFloatDepth = 0.07f;
constexpr float kFloatWave = 0.01f;
constexpr float kWaterPhaseStep = 0.13f;
constexpr float kZLimitTurn = 0.01f;
constexpr float kSteepNormalY = 0.6f; // steeper than about 53 degrees cannot be climbed
constexpr float kSteepPush = 0.5f;

constexpr float kBobStep = 0.18f;
constexpr float kBobAmount = 0.018f;
constexpr float kModelScale = 0.7f;

constexpr float kHardBumpKeep = -0.8f;
constexpr float kHardBumpLiftKeep = 0.5f;
constexpr float kHardBumpLift = 0.04f;
constexpr float kSoftBumpSpeed = -0.2f;

float length(const Vec2& v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

} // namespace

const Rider::Handling Rider::kGroundHandling{0.993f, 0.95f, 0.7f, 0.002f, -0.0008f, 0.0017f, true};
const Rider::Handling Rider::kSkidHandling{0.997f, 0.985f, 0.97f, 0.0008f, -0.0004f, 0.0008f, false};

Rider::Rider(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, ControlSource& controls,
             const Field& field, const WaterSurface& water)
    : device_(device), controls_(controls), field_(field), water_(water) {
    position_ = {kStartX, field_.heightAt(kStartX, kStartZ), kStartZ};
    previousPosition_ = position_;
    boost_ = std::make_unique<Boost>(device, content, sound);
    body_ = std::make_unique<MeshModel>(device, content, data::kRiderBodyMesh);
    brows_ = std::make_unique<MeshModel>(device, content, data::kRiderBrowsMesh);
    tricycle_ = std::make_unique<MeshModel>(device, content, data::kTricycleMesh);
    jumpSound_ = sound.createClip(data::kJumpSound, false);
    bumpSound_ = sound.createClip(data::kBumpSound, false);
}

Rider::~Rider() {
    boost_.reset();
    body_.reset();
    brows_.reset();
    tricycle_.reset();
    jumpSound_->stop();
    jumpSound_.reset();
    bumpSound_->stop();
    bumpSound_.reset();
}

void Rider::update() {
    motionStep();
    integrationStep();
    animate();
}

void Rider::bump(bool hard) {
    bumpSound_->play();
    if (hard) {
        velocity_.x *= kHardBumpKeep;
        velocity_.z *= kHardBumpKeep;
        velocity_.y = velocity_.y * kHardBumpLiftKeep + kHardBumpLift;
    } else {
        velocity_ = normalize(velocity_) * kSoftBumpSpeed;
    }
    position_ += velocity_;
    courseLimits();
    groundStep();
    waterStep();
}

// --- motion step: velocity from the last displacement, then the forces of the state ---

void Rider::motionStep() {
    velocity_ = position_ - previousPosition_;
    speed_ = length(velocity_);
    direction_ = std::atan2(velocity_.z, velocity_.x);

    const float horizontal = std::sqrt(velocity_.x * velocity_.x + velocity_.z * velocity_.z);
    const float offHeading = direction_ + kHalfPi - heading_;
    const float lateral = horizontal * std::cos(offHeading);
    lateralVelocity_ = {lateral * std::cos(heading_ - kHalfPi), lateral * std::sin(heading_ - kHalfPi)};
    const float forward = horizontal * std::sin(offHeading); // negative when rolling backwards
    forwardVelocity_ = {forward * std::cos(heading_), forward * std::sin(heading_)};

    waterContact_ = 0;
    const ControlRecord record = takeRecord();
    groundNormal_ = field_.normalAt(position_.x, position_.z);
    previousPosition_ = position_;
    savedVelocity_ = velocity_;
    updateSkid();

    switch (state_) {
    case RiderState::Ground:
        rollOnTerrain(kGroundHandling, record);
        break;
    case RiderState::Skid:
        rollOnTerrain(kSkidHandling, record);
        break;
    case RiderState::Air:
        driftInAir(record);
        break;
    case RiderState::Water:
        floatOnWater(record);
        break;
    }
}

ControlRecord Rider::takeRecord() {
    if (!controlEnabled_)
        return ControlRecord{};
    return controls_.next();
}

// Decided on the turn rate the previous tick left.
void Rider::updateSkid() {
    if (state_ == RiderState::Ground && (turnRate_ < -kSkidStart || turnRate_ > kSkidStart))
        state_ = RiderState::Skid;
    if (state_ == RiderState::Skid && turnRate_ > -kSkidEnd && turnRate_ < kSkidEnd)
        state_ = RiderState::Ground;
}

void Rider::rollOnTerrain(const Handling& handling, const ControlRecord& record) {
    gravityAndSlope(kSlopeGain);
    friction(handling.forwardKeep, handling.slipKeep, handling.turnKeep);
    steeringTerm(record.steer);
    // With grip, braking swings the tail round: twice the steering and no limit, which is how a
    // skid starts.
    if (handling.grips) {
        if (record.brake)
            steeringTerm(record.steer);
        else
            clampTurnRate();
    }
    if (record.pedal)
        push(handling.pedalPush);
    else if (record.backPedal)
        push(handling.backPedalPush);
    push(boost_->step(record.boost));
    if (record.brake)
        brake(handling.brakeStep);
    if (record.jump)
        jump();
    tilt();
}

void Rider::driftInAir(const ControlRecord& record) {
    gravityAndSlope(0.0f);
    if (record.left)
        turnRate_ += kAirTurn;
    if (record.right)
        turnRate_ -= kAirTurn;
    clampTurnRate();
    push(boost_->step(record.boost));
}

void Rider::floatOnWater(const ControlRecord& record) {
    gravityAndSlope(0.0f);
    friction(kWaterDrag, 1.0f, kWaterTurnKeep);
    velocity_.x *= kWaterDrag;
    velocity_.z *= kWaterDrag;
    turnRate_ *= kWaterTurnKeep;
    if (record.left)
        turnRate_ += kWaterTurn;
    if (record.right)
        turnRate_ -= kWaterTurn;
    clampTurnRate();
    push(boost_->step(record.boost));
}

void Rider::gravityAndSlope(float gain) {
    const Vec3& n = groundNormal_;
    velocity_.y -= kGravity;
    velocity_.x += n.y * n.x * gain;
    velocity_.z += n.z * n.y * gain;
}

void Rider::friction(float forwardKeep, float slipKeep, float turnKeep) {
    float keep = slipKeep;
    if (length(lateralVelocity_) < kSlipAtRest && state_ == RiderState::Ground)
        keep = kSlipAtRestShare * slipKeep;
    velocity_.x = (velocity_.x - lateralVelocity_.x * (1.0f - keep)) * forwardKeep;
    velocity_.z = (velocity_.z - lateralVelocity_.y * (1.0f - keep)) * forwardKeep;
    turnRate_ = turnRate_ * turnKeep;
}

// Steering bites in proportion to the forward speed, whichever way the rider rolls.
void Rider::steeringTerm(float steer) {
    turnRate_ += length(forwardVelocity_) * steer * kSteerGain;
}

void Rider::brake(float step) {
    const float forwardSpeed = length(forwardVelocity_);
    if (forwardSpeed > step) {
        const Vec2 unit = normalize(forwardVelocity_);
        velocity_.x -= step * unit.x;
        velocity_.z -= step * unit.y;
    } else {
        velocity_.x -= forwardVelocity_.x;
        velocity_.z -= forwardVelocity_.y;
    }
}

void Rider::jump() {
    jumpSound_->play();
    velocity_ += groundNormal_ * kJumpImpulse;
}

void Rider::push(float amount) {
    velocity_.x += amount * std::cos(heading_);
    velocity_.z += amount * std::sin(heading_);
}

void Rider::clampTurnRate() {
    if (turnRate_ < -kTurnLimit)
        turnRate_ = -kTurnLimit;
    else if (turnRate_ > kTurnLimit)
        turnRate_ = kTurnLimit;
}

void Rider::tilt() {
    Vec3 m = groundNormal_;
    if (state_ == RiderState::Ground) {
        m.x -= (velocity_.x - savedVelocity_.x) * kLean;
        m.z -= (velocity_.z - savedVelocity_.z) * kLean;
    }
    pitch_ = (std::atan2(m.z, m.y) + 3.0f * pitch_) / 4.0f;
    roll_ = (std::atan2(m.x, m.y) + 3.0f * roll_) / 4.0f;
}

// --- integration step: turn, move, then every correction of the new position ---

void Rider::integrationStep() {
    heading_ += turnRate_;
    if (heading_ < -kPi)
        heading_ += kTwoPi;
    if (heading_ > kPi)
        heading_ -= kTwoPi;
    position_ += velocity_;
    courseLimits();
    groundStep();
    waterContactStep();
    waterStep();
    steepSlopeStep();
}

// The x edges are walls; the z edges drop the rider into the water, turning it gently.
void Rider::courseLimits() {
    if (position_.x < kCourseMin) {
        position_.x = kCourseMin;
        velocity_.x = 0.0f;
    } else if (position_.x > kCourseMax) {
        position_.x = kCourseMax;
        velocity_.x = 0.0f;
    }
    bool atZEdge = false;
    if (position_.z < kCourseMin) {
        position_.z = kCourseMin;
        atZEdge = true;
    } else if (position_.z > kCourseMax) {
        position_.z = kCourseMax;
        atZEdge = true;
    }
    if (atZEdge) {
        velocity_.z = 0.0f;
        turnRate_ = kZLimitTurn;
        state_ = RiderState::Water;
        position_.y = floatHeight();
    }
}

void Rider::groundStep() {
    const float h = field_.heightAt(position_.x, position_.z);
    if (h < position_.y && state_ != RiderState::Water)
        state_ = RiderState::Air;
    if (h > position_.y) {
        position_.y = h;
        if (state_ != RiderState::Skid)
            state_ = RiderState::Ground;
    }
}

// 2 on the tick the rider reaches the water level from land or air, 1 while it floats.
void Rider::waterContactStep() {
    if (water_.waterLevel() > position_.y) {
        waterContact_ += 1;
        if (state_ != RiderState::Water)
            waterContact_ += 1;
    }
}

void Rider::waterStep() {
    const float height = floatHeight();
    if (height > position_.y) {
        state_ = RiderState::Water;
        position_.y = height;
    }
}

// Too steep to climb: the move is redone from the start point with the velocity deflected back
// down the slope.
void Rider::steepSlopeStep() {
    if (state_ != RiderState::Ground && state_ != RiderState::Skid)
        return;
    const Vec3& n = field_.normalAt(position_.x, position_.z);
    if (n.y >= kSteepNormalY)
        return;
    velocity_.x += speed_ * n.x * kSteepPush;
    velocity_.z += speed_ * n.z * kSteepPush;
    velocity_.y -= speed_ * n.y * kSteepPush;
    position_ = previousPosition_ + velocity_;
    courseLimits();
    groundStep();
    waterStep();
}

float Rider::floatHeight() const {
    return water_.waterLevel() - kFloatDepth + kFloatWave * std::sin(waterPhase_);
}

void Rider::animate() {
    if (state_ == RiderState::Water) {
        waterPhase_ += kWaterPhaseStep;
        if (waterPhase_ > kTwoPi)
            waterPhase_ -= kTwoPi;
    } else {
        waterPhase_ = 0.0f;
    }
    bobPhase_ += kBobStep;
    if (bobPhase_ > kPi)
        bobPhase_ -= kTwoPi;
    bob_ = kBobAmount * std::sin(bobPhase_);
}

// --- drawing ---

// Model +x along the heading, then the tilt about the world axes, then on to the rider.
Matrix4 Rider::baseTransform() const {
    return Matrix4::rotationY(-heading_) * Matrix4::rotationX(pitch_) * Matrix4::rotationZ(-roll_) *
           Matrix4::translation(position_.x, position_.y, position_.z);
}

void Rider::draw() {
    const Matrix4 base = baseTransform();
    // The body squashes and stretches with the bob, the tricycle does not.
    device_.setTransform(TransformKind::World,
                         Matrix4::scaling(kModelScale - bob_, kModelScale + bob_, kModelScale - bob_) * base);
    device_.setTexture(nullptr);
    body_->draw();
    if (browsShown_)
        brows_->draw();
    device_.setTransform(TransformKind::World,
                         Matrix4::scaling(kModelScale, kModelScale, kModelScale) * base);
    tricycle_->draw();
}

// The effect tilts by the pitch before it turns, unlike the body.
void Rider::drawBoostEffect() {
    boost_->drawEffect(Matrix4::rotationX(pitch_) * Matrix4::rotationY(-heading_) *
                       Matrix4::rotationZ(-roll_) *
                       Matrix4::translation(position_.x, position_.y, position_.z));
}

void Rider::drawBoostGauge() {
    boost_->drawGauge();
}

} // namespace qv
