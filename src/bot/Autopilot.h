#pragma once

#include "bot/RouteMap.h"
#include "core/Vec3.h"
#include "platform/ActionOverlay.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qv {

class FieldGrid;
class Rider;

// A bot that rides player runs through the game's actions. It plans a way to the goal over the field
// (round cliffs and slopes too steep to climb, across water only where that pays), steers along
// it, pedals, boosts on the straight, into the goal and across water, brakes into sharp turns,
// and backs out of places where it makes no headway and plans round them. The game's input adds
// its actions to whatever the player holds, so it rides the same whatever keys are bound; the
// content build records the built-in demo with it, and tests use it to play whole runs.
class Autopilot : public ActionOverlay {
  public:
    // What the autopilot sees of a run for one tick: the rider, its goal, the ground under them
    // and the water level. With no rider or no goal it presses nothing.
    struct View {
        const Rider* rider = nullptr;
        const Vec3* goal = nullptr;
        const FieldGrid* ground = nullptr;
        float waterLevel = 0.0f;
    };

    // Chooses the actions for the coming tick.
    void plan(const View& view);
    bool holds(GameAction action) const override { return pressed_[static_cast<size_t>(action)]; }

    // Angle to turn from heading to face the goal, in (-pi, pi]; positive turns left.
    static float turnToward(const Vec3& from, float heading, const Vec3& goal);

  private:
    void press(GameAction action) { pressed_[static_cast<size_t>(action)] = true; }
    void updateRoute(const View& view);
    void ride(const Rider& rider, const Vec3& goal);
    // True when the goal lies inside the circle the rider turns on toward it.
    static bool withinTurningCircle(const Rider& rider, const Vec3& goal);
    // True while backing out of a place where the rider makes no headway along the route.
    bool stuck(const Rider& rider);

    std::array<bool, kGameActionCount> pressed_{};
    std::unique_ptr<RouteMap> route_;
    const FieldGrid* routeGround_ = nullptr;
    float bestCost_ = 0.0f;
    uint32_t ticksWithoutHeadway_ = 0;
    uint32_t reverseTicks_ = 0;
    Vec3 stuckAt_{};
};

} // namespace qv
