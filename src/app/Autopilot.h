#pragma once

#include "platform/KeySource.h"
#include "util/Vec3.h"

#include <array>
#include <cstdint>

namespace qv {

class Rider;

// A bot that rides player runs through the keyboard: it steers toward the goal, pedals, boosts
// on the straight, brakes into sharp turns and backs out when it is stuck. It sits between the
// real key source and the game, adding its keys to whatever the source holds; the content build
// records the built-in demo with it, and tests use it to play whole runs.
class Autopilot : public KeySource {
  public:
    explicit Autopilot(const KeySource& source) : source_(source) {}

    // Chooses the keys for the coming tick; with no rider or no goal it presses nothing.
    void plan(const Rider* rider, const Vec3* goal);
    bool isDown(uint8_t code) const override { return pressed_[code] || source_.isDown(code); }

    // Angle to turn from heading to face the goal, in (-pi, pi]; positive turns left.
    static float turnToward(const Vec3& from, float heading, const Vec3& goal);

  private:
    void press(uint8_t code) { pressed_[code] = true; }
    void ride(const Rider& rider, float turn, float distance);
    // True while backing out of a place where the rider makes no headway toward the goal.
    bool stuck(const Vec3& goal, float distance);

    const KeySource& source_;
    std::array<bool, 256> pressed_{};
    Vec3 lastGoal_{};
    float bestDistance_ = 0.0f;
    uint32_t ticksWithoutHeadway_ = 0;
    uint32_t reverseTicks_ = 0;
    uint32_t detourTicks_ = 0;
};

} // namespace qv
