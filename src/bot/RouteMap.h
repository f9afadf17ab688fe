#pragma once

#include "core/Vec3.h"

#include <cstdint>
#include <vector>

namespace qv {

class FieldGrid;

// The autopilot's sense of the way to one goal. The field is sampled on a half-unit lattice and
// every lattice point learns the cheapest way to the goal, where the cost of a step is its length
// weighted by how hard it is to ride: climbs cost more the steeper they are, slopes too steep to
// pedal up and cliffs count as near walls, water (crossed on the boost alone) is slow, and the
// field's edges are best kept away from. Nothing is ever quite impassable, so every point has a
// way, if only a bad one.
class RouteMap {
  public:
    static constexpr float kSpacing = 0.5f;
    static constexpr int kPoints = 201; // per side: 0 to 100 in half units

    // Plans the way to goal over ground with the water at waterLevel.
    RouteMap(const FieldGrid& ground, float waterLevel, const Vec3& goal);

    // Riding cost from the lattice point nearest at to the goal, in weighted units.
    float costFrom(const Vec3& at) const;
    // The point the way from at reaches after about ahead units of riding, or the goal when the
    // way ends sooner.
    Vec3 aimFrom(const Vec3& at, float ahead) const;
    // Makes the ground round place dear and plans again, so a way that proved impassable in
    // practice is given up for another.
    void avoid(const Vec3& place);

    const Vec3& goal() const { return goal_; }

  private:
    struct Point {
        float height = 0.0f;  // ground, or the floating height where that is higher
        bool afloat = false;  // the ground is under the floating height
        bool steep = false;   // a wall the rider slides back from
        float penalty = 1.0f; // extra weight from avoid()
        float cost = 0.0f;    // to the goal
        int32_t next = -1;    // the neighbour one step on toward the goal
    };

    static int32_t index(int i, int j) { return i * kPoints + j; }
    int32_t nearest(const Vec3& at) const;
    Vec3 position(int32_t n) const;
    // Weighted cost of riding from point a to its neighbour b, length apart.
    float stepCost(const Point& a, const Point& b, int i, int j, float length) const;
    void plan();

    Vec3 goal_;
    int32_t goalIndex_ = 0;
    std::vector<Point> points_;
};

} // namespace qv
