#pragma once

#include "bot/RouteMap.h"
#include "core/Vec3.h"
#include "platform/KeySource.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qv {

class FieldGrid;
class Rider;

// A bot that rides player runs through the keyboard. It plans a way to the goal over the field
// (round cliffs and slopes too steep to climb, across water only where that pays), steers along
// it, pedals, boosts on the straight, into the goal and across water, brakes into sharp turns,
// and backs out of places where it makes no headway and plans round them. It sits between the
// real key source and the game, adding its keys to whatever the source holds; the content build
// records the built-in demo with it, and tests use it to play whole runs.
class Autopilot : public KeySource {
  public:
    explicit Autopilot(const KeySource& source) : source_(source) {}

    // What the autopilot sees of a run for one tick: the rider, its goal, the ground under them
    // and the water level. With no rider or no goal it presses nothing.
    struct View {
        const Rider* rider = nullptr;
        const Vec3* goal = nullptr;
        const FieldGrid* ground = nullptr;
        float waterLevel = 0.0f;
    };

    // Chooses the keys for the coming tick.
    void plan(const View& view);
    bool isDown(uint8_t code) const override { return pressed_[code] || source_.isDown(code); }

    // Angle to turn from heading to face the goal, in (-pi, pi]; positive turns left.
    static float turnToward(const Vec3& from, float heading, const Vec3& goal);

  private:
    void press(uint8_t code) { pressed_[code] = true; }
    void updateRoute(const View& view);
    void ride(const Rider& rider, const Vec3& goal);
    // True when the goal lies inside the circle the rider turns on toward it.
    static bool withinTurningCircle(const Rider& rider, const Vec3& goal);
    // True while backing out of a place where the rider makes no headway along the route.
    bool stuck(const Rider& rider);

    const KeySource& source_;
    std::array<bool, 256> pressed_{};
    std::unique_ptr<RouteMap> route_;
    const FieldGrid* routeGround_ = nullptr;
    float bestCost_ = 0.0f;
    uint32_t ticksWithoutHeadway_ = 0;
    uint32_t reverseTicks_ = 0;
    Vec3 stuckAt_{};
};

} // namespace qv
