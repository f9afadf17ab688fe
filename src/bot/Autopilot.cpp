#include "bot/Autopilot.h"

#include "core/Angles.h"
#include "rider/Rider.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {

namespace {

constexpr float kSteerLookahead = 12.0f;  // ticks the turn rate is expected to carry on
constexpr float kClosestAim = 1.0f;       // nearer aims swing no faster than one this far
constexpr float kAimSlack = 0.06f;        // close enough to straight ahead: no steering
constexpr float kAimAhead = 3.5f;         // how far along the route to aim, at rest ...
constexpr float kAimAheadPerSpeed = 8.0f; // ... and how much further per unit of speed
constexpr float kBrakeTurn = 1.1f;        // turns sharper than this brake, which steers twice as hard
constexpr float kBrakeSpeed = 0.06f;      // ... unless the rider is already slow
constexpr float kNear = 8.0f;             // near the goal, brake into smaller turns to tighten the circle
constexpr float kNearBrakeTurn = 0.5f;
constexpr float kHitSpeed = 0.15f;       // a knock-down needs speed: boost into the goal when slower
constexpr float kBoostAim = 0.25f;       // boost only when lined up
constexpr float kBoostAhead = 9.0f;      // with this much straight route ahead
constexpr float kTurnRateLimit = 0.1f;   // the most the nose turns in a tick on the ground
constexpr float kTightestRadius = 0.95f; // slow, the steering bites too little to turn tighter
constexpr float kCircleMargin = 0.9f;    // the wheels slide sideways, so the real circle is wider
constexpr float kSaveBoost = 40.0f;      // nearer the goal, keep the boost for the knock-down
constexpr float kHeadway = 1.0f;         // this much less route cost counts as headway
constexpr uint32_t kStuckTicks = 150;    // this long without headway counts as stuck
constexpr uint32_t kReverseTicks = 60;   // then back out for this long and plan round the place

} // namespace

float Autopilot::turnToward(const Vec3& from, float heading, const Vec3& goal) {
    float desired = std::atan2(goal.z - from.z, goal.x - from.x);
    float turn = std::remainder(desired - heading, 2.0f * kPi);
    return turn <= -kPi ? turn + 2.0f * kPi : turn;
}

void Autopilot::plan(const View& view) {
    pressed_.fill(false);
    if (!view.rider || !view.goal || !view.ground || !view.rider->controlEnabled())
        return;
    updateRoute(view);
    const Rider& rider = *view.rider;
    if (stuck(rider)) {
        // Back away from whatever holds the rider, swinging the nose toward the way on.
        const Vec3 aim = route_->aimFrom(rider.position(), kAimAhead);
        press(GameAction::BackPedal);
        press(turnToward(rider.position(), rider.heading(), aim) > 0.0f ? GameAction::Right
                                                                        : GameAction::Left);
        return;
    }
    ride(rider, *view.goal);
}

// A new goal or a new field needs a new route; the water only rises once the race is over.
void Autopilot::updateRoute(const View& view) {
    if (route_ && routeGround_ == view.ground && route_->goal() == *view.goal)
        return;
    route_ = std::make_unique<RouteMap>(*view.ground, view.waterLevel, *view.goal);
    routeGround_ = view.ground;
    bestCost_ = route_->costFrom(view.rider->position());
    ticksWithoutHeadway_ = 0;
    reverseTicks_ = 0;
}

void Autopilot::ride(const Rider& rider, const Vec3& goal) {
    const Vec3& at = rider.position();
    const Vec3 aim = route_->aimFrom(at, kAimAhead + kAimAheadPerSpeed * rider.speed());
    float turn = turnToward(at, rider.heading(), aim);
    // A goal inside the circle the rider turns on can only be orbited: ride on straight until
    // it falls outside, then turn in.
    if (withinTurningCircle(rider, goal))
        turn = 0.0f;
    // The steering ramps up and dies away slowly: aim by where the nose will point a few ticks
    // on, carried by the current turn, against where the aim will lie by then, which swings
    // round fast when it is close by. Else the rider snakes, or sweeps past a goal beside it.
    const float aimDistance = std::max(std::hypot(aim.x - at.x, aim.z - at.z), kClosestAim);
    const float swing = rider.speed() * std::sin(turn) / aimDistance;
    const float steer = turn + (swing - rider.turnRate()) * kSteerLookahead;
    if (steer > kAimSlack)
        press(GameAction::Left);
    else if (steer < -kAimSlack)
        press(GameAction::Right);

    // Near means near along the route: a goal on the cliff top above is still far.
    const float routeLeft = route_->costFrom(at);
    const bool near = routeLeft < kNear;
    const float size = std::fabs(turn);
    const bool sharp = size > kBrakeTurn || (near && size > kNearBrakeTurn);
    if (sharp && rider.speed() > kBrakeSpeed)
        press(GameAction::Brake);
    else
        press(GameAction::Pedal);

    const Vec3 far = route_->aimFrom(at, kBoostAhead);
    const bool straight = std::fabs(turnToward(at, rider.heading(), far)) < kBoostAim;
    const bool cruise = size < kBoostAim && straight && routeLeft > kSaveBoost;
    const bool lunge = size < kNearBrakeTurn && near && rider.speed() < kHitSpeed &&
                       std::fabs(turnToward(at, rider.heading(), goal)) < kNearBrakeTurn;
    // Pedals do nothing afloat: the boost is the only way across the water.
    const bool swim = size < kNearBrakeTurn && rider.state() == RiderState::Water;
    if ((cruise || lunge || swim) && rider.boost().ready())
        press(GameAction::Boost);
}

bool Autopilot::withinTurningCircle(const Rider& rider, const Vec3& goal) {
    const float radius = std::max(rider.speed() / kTurnRateLimit, kTightestRadius) + kCircleMargin;
    const Vec3& at = rider.position();
    const float side = turnToward(at, rider.heading(), goal) > 0.0f ? 1.0f : -1.0f;
    const float heading = rider.heading() + side * kPi / 2.0f;
    const float cx = at.x + radius * std::cos(heading), cz = at.z + radius * std::sin(heading);
    return std::hypot(goal.x - cx, goal.z - cz) < radius;
}

bool Autopilot::stuck(const Rider& rider) {
    if (reverseTicks_ > 0) {
        if (--reverseTicks_ == 0) {
            route_->avoid(stuckAt_);
            bestCost_ = route_->costFrom(rider.position());
        }
        return true;
    }
    const float cost = route_->costFrom(rider.position());
    if (cost < bestCost_ - kHeadway) {
        bestCost_ = cost;
        ticksWithoutHeadway_ = 0;
        return false;
    }
    if (++ticksWithoutHeadway_ < kStuckTicks)
        return false;
    ticksWithoutHeadway_ = 0;
    stuckAt_ = rider.position();
    reverseTicks_ = kReverseTicks;
    return true;
}

} // namespace qv
