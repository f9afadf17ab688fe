#pragma once

#include "core/Vec3.h"

#include <cmath>

namespace qv::content {

// A straight jump ramp: a wedge that rises from the foot to the lip in the direction of
// `heading` (the direction a rider faces along (cos, sin) in x and z) and drops away behind
// and at its sides.
struct Ramp {
    Vec2 foot;
    float heading = 0.0f;
    float length = 6.0f;
    float rise = 2.0f;
    float halfWidth = 2.5f;
    float runway = 14.0f; // straight level ground before the foot, to line up on at speed

    // The point `distance` units along the centre line from the foot (negative: before it).
    Vec2 along(float distance) const {
        return {foot.x + distance * std::cos(heading), foot.y + distance * std::sin(heading)};
    }
    Vec2 lip() const { return along(length); }
};

} // namespace qv::content
