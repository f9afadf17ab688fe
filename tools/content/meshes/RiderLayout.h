#pragma once

#include "core/Vec3.h"

#include <cmath>

namespace qv::content::rider {

// Where the tricycle's parts are, in design units: +x forward, y up, the ground at y = 0, the
// tricycle about one unit long. The rider's mesh is built against the same points so that it
// sits on the seat with its hands on the grips and its feet on the pedals.
//
// The files hold the meshes at kModelScale of these sizes, and the game draws them at a further
// kDrawScale. The size follows from the game's cameras: the rider's-eye view looks from 0.2
// above the ground and the closest chase view from 0.24 just behind the head, and the target
// arrow floats "just above the rider" at 0.38. So the rider's eyes are at 0.2 world units, the
// top of its head about 0.25 and the tricycle about 0.28 long; any bigger and the chase camera
// would look through the rider's back.
constexpr float kModelScale = 0.41f;
constexpr float kDrawScale = 0.7f;

// A design-unit point where it ends up in the mesh file.
constexpr Vec3 inModel(const Vec3& design) {
    return {design.x * kModelScale, design.y * kModelScale, design.z * kModelScale};
}

constexpr Vec3 kFrontHub{0.25f, 0.20f, 0.0f};
constexpr float kFrontWheelRadius = 0.20f;
constexpr float kRearAxleX = -0.40f;
constexpr float kRearWheelRadius = 0.13f;
constexpr float kRearTrack = 0.21f; // each rear wheel's distance from the middle

constexpr Vec3 kSeat{-0.08f, 0.40f, 0.0f};
constexpr float kSeatTop = 0.43f;
constexpr Vec3 kSteeringHead{0.21f, 0.46f, 0.0f}; // where the fork meets the frame
constexpr Vec3 kHandlebar{0.20f, 0.56f, 0.0f};    // below the face, so it stays in view
constexpr float kGripZ = 0.17f;
constexpr float kGripBack = 0.03f; // the grips sweep back towards the rider

constexpr float kCrankLength = 0.08f;
constexpr float kPedalZ = 0.095f;
constexpr float kCrankAngle = 0.6f; // radians above the forward direction, for the +z pedal

// The pedal on the given side (+1 or -1 in z); the two cranks point opposite ways.
inline Vec3 pedal(float side) {
    return {kFrontHub.x + side * kCrankLength * std::cos(kCrankAngle),
            kFrontHub.y + side * kCrankLength * std::sin(kCrankAngle), side * kPedalZ};
}

// The middle of the handlebar grip on the given side (+1 or -1 in z).
inline Vec3 grip(float side) {
    return {kHandlebar.x - kGripBack, kHandlebar.y, side * kGripZ};
}

// The rider: a round body sitting on the seat.
constexpr Vec3 kBodyCentre{-0.05f, 0.635f, 0.0f}; // settled a little into the seat
constexpr Vec3 kBodyRadii{0.22f, 0.22f, 0.21f};

} // namespace qv::content::rider
