#include "app/Autopilot.h"

#include "platform/KeyCodes.h"
#include "rider/Rider.h"

#include <cmath>
#include <numbers>

namespace qv {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kSteerLookahead = 12.0f; // ticks the turn rate is expected to carry on
constexpr float kAimSlack = 0.06f;       // close enough to straight ahead: no steering
constexpr float kBrakeTurn = 1.1f;       // turns sharper than this brake, which steers twice as hard
constexpr float kBrakeSpeed = 0.06f;     // ... unless the rider is already slow
constexpr float kNear = 8.0f;            // near the goal, brake into smaller turns to tighten the circle
constexpr float kNearBrakeTurn = 0.5f;
constexpr float kHitSpeed = 0.15f;     // a knock-down needs speed: boost into the goal when slower
constexpr float kBoostAim = 0.25f;     // boost only when lined up
constexpr float kBoostDistance = 9.0f; // and with room to use it
constexpr float kHeadway = 1.0f;       // getting this much closer counts as headway
constexpr uint32_t kStuckTicks = 150;  // this long without headway counts as stuck
constexpr uint32_t kReverseTicks = 60; // then back out for this long
constexpr uint32_t kDetourTicks = 150; // and head for the middle of the field for this long

} // namespace

float Autopilot::turnToward(const Vec3& from, float heading, const Vec3& goal) {
    float desired = std::atan2(goal.z - from.z, goal.x - from.x);
    float turn = std::remainder(desired - heading, 2.0f * kPi);
    return turn <= -kPi ? turn + 2.0f * kPi : turn;
}

void Autopilot::plan(const Rider* rider, const Vec3* goal) {
    pressed_.fill(false);
    if (!rider || !goal || !rider->controlEnabled())
        return;
    const Vec3& at = rider->position();
    float distance = std::hypot(goal->x - at.x, goal->z - at.z);
    float turn = turnToward(at, rider->heading(), *goal);
    if (stuck(*goal, distance)) {
        // Back away from whatever holds the rider, swinging the nose toward the goal.
        press(key::kR);
        press(turn > 0.0f ? key::kRight : key::kLeft);
        return;
    }
    if (detourTicks_ > 0) {
        // Then ride toward the open middle of the field for a while before trying again.
        --detourTicks_;
        const Vec3 middle{50.0f, 0.0f, 50.0f};
        ride(*rider, turnToward(at, rider->heading(), middle), kBoostDistance);
        return;
    }
    ride(*rider, turn, distance);
}

void Autopilot::ride(const Rider& rider, float turn, float distance) {
    // The steering ramps up and dies away slowly: aim by where the current turn will have
    // carried the nose, or the rider snakes from side to side.
    float aim = turn - rider.turnRate() * kSteerLookahead;
    if (aim > kAimSlack)
        press(key::kLeft);
    else if (aim < -kAimSlack)
        press(key::kRight);

    float size = std::fabs(turn);
    bool sharp = size > kBrakeTurn || (distance < kNear && size > kNearBrakeTurn);
    if (sharp && rider.speed() > kBrakeSpeed)
        press(key::kD);
    else
        press(key::kF);
    bool cruise = size < kBoostAim && distance > kBoostDistance;
    bool lunge = size < kNearBrakeTurn && distance < kNear && rider.speed() < kHitSpeed;
    // Pedals do nothing afloat: the boost is the only way across the water.
    bool swim = size < kNearBrakeTurn && rider.state() == RiderState::Water;
    if ((cruise || lunge || swim) && rider.boost().ready())
        press(key::kUp);
}

bool Autopilot::stuck(const Vec3& goal, float distance) {
    if (reverseTicks_ > 0) {
        --reverseTicks_;
        return true;
    }
    if (!(goal == lastGoal_) || distance < bestDistance_ - kHeadway) {
        lastGoal_ = goal;
        bestDistance_ = distance;
        ticksWithoutHeadway_ = 0;
        return false;
    }
    if (++ticksWithoutHeadway_ < kStuckTicks)
        return false;
    ticksWithoutHeadway_ = 0;
    bestDistance_ = distance;
    reverseTicks_ = kReverseTicks;
    detourTicks_ = kDetourTicks;
    return true;
}

} // namespace qv
