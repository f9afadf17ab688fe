#include "meshes/TricycleMesh.h"

#include "meshes/MeshBuilder.h"
#include "meshes/RiderLayout.h"

namespace qv::content {

namespace {

using namespace rider;

struct Paints {
    uint32_t frame, tyre, wheel, metal, seat, pedal;
};

Paints addPaints(MeshBuilder& b) {
    Paints p{};
    p.frame = b.addMaterial(opaque(0.93f, 0.13f, 0.15f));
    p.tyre = b.addMaterial(opaque(0.13f, 0.13f, 0.17f));
    p.wheel = b.addMaterial(opaque(1.0f, 0.84f, 0.12f));
    p.metal = b.addMaterial(opaque(0.80f, 0.83f, 0.90f));
    p.seat = b.addMaterial(opaque(0.13f, 0.33f, 0.90f));
    p.pedal = b.addMaterial(opaque(0.22f, 0.22f, 0.28f));
    return p;
}

// A cartoon wheel in the xy plane: tyre, a solid coloured disc and a hub cap either side.
void wheel(MeshBuilder& b, const Paints& p, const Vec3& hub, float radius) {
    const float tyreTube = 0.12f * radius + 0.001f;
    b.useMaterial(p.tyre);
    b.torus(radius - tyreTube, tyreTube, 32, 10, at(hub));
    b.useMaterial(p.wheel);
    b.cylinder(radius - 1.6f * tyreTube, 0.3f * tyreTube, 28, at(hub));
    b.useMaterial(p.frame);
    b.cylinder(0.25f * radius, 0.9f * tyreTube, 16, at(hub));
}

void wheels(MeshBuilder& b, const Paints& p) {
    wheel(b, p, kFrontHub, kFrontWheelRadius);
    for (float side : {-1.0f, 1.0f})
        wheel(b, p, {kRearAxleX, kRearWheelRadius, side * kRearTrack}, kRearWheelRadius);
    b.useMaterial(p.metal);
    b.cylinder(0.014f, kRearTrack + 0.03f, 12, at({kRearAxleX, kRearWheelRadius, 0.0f}));
}

// Cranks from the front hub out to a pedal on each side.
void pedals(MeshBuilder& b, const Paints& p) {
    b.useMaterial(p.metal);
    b.cylinder(0.016f, 0.075f, 12, at(kFrontHub));
    for (float side : {-1.0f, 1.0f}) {
        const Vec3 foot = pedal(side);
        b.tube({{kFrontHub.x, kFrontHub.y, side * 0.072f}, {foot.x, foot.y, side * 0.072f}}, 0.012f, 0.012f,
               8);
        b.useMaterial(p.pedal);
        b.box({0.042f, 0.011f, 0.032f}, at(foot));
        b.useMaterial(p.metal);
    }
}

void frameTubes(MeshBuilder& b, const Paints& p) {
    b.useMaterial(p.frame);
    // The main tube sweeps from the steering head down under the seat to the rear axle.
    b.tube({kSteeringHead,
            {0.12f, 0.37f, 0.0f},
            {0.0f, 0.29f, 0.0f},
            {-0.18f, 0.235f, 0.0f},
            {kRearAxleX + 0.04f, kRearWheelRadius + 0.02f, 0.0f}},
           0.03f, 0.026f, 12);
    b.cylinder(0.03f, kRearTrack - 0.05f, 14, at({kRearAxleX, kRearWheelRadius, 0.0f}));
    // A step behind the seat, over the axle.
    b.box({0.055f, 0.012f, kRearTrack - 0.06f}, at({kRearAxleX - 0.02f, kRearWheelRadius + 0.04f, 0.0f}));
    b.tube({{kSeat.x, 0.26f, 0.0f}, {kSeat.x, kSeat.y, 0.0f}}, 0.022f, 0.022f, 10);
    // The fork: a leg either side of the front wheel, joined under the steering head.
    for (float side : {-1.0f, 1.0f}) {
        b.tube({{kSteeringHead.x, kSteeringHead.y - 0.02f, side * 0.05f},
                {kFrontHub.x, kFrontHub.y, side * 0.05f}},
               0.016f, 0.014f, 10);
    }
    b.box({0.03f, 0.018f, 0.062f}, at({kSteeringHead.x, kSteeringHead.y - 0.02f, 0.0f}));
    b.tube({kSteeringHead, {kHandlebar.x, kHandlebar.y, 0.0f}}, 0.022f, 0.02f, 10);
}

void seatAndBars(MeshBuilder& b, const Paints& p) {
    b.useMaterial(p.seat);
    b.ellipsoid({0.105f, 0.03f, 0.085f}, 24, 10, at(kSeat));
    b.useMaterial(p.metal);
    const Vec3 left = grip(-1.0f), right = grip(1.0f);
    b.tube({{left.x, left.y, left.z - 0.02f},
            {kHandlebar.x, kHandlebar.y, -0.1f},
            kHandlebar,
            {kHandlebar.x, kHandlebar.y, 0.1f},
            {right.x, right.y, right.z + 0.02f}},
           0.014f, 0.014f, 10);
    b.useMaterial(p.seat);
    for (float side : {-1.0f, 1.0f})
        b.cylinder(0.021f, 0.04f, 12, at(grip(side)));
}

} // namespace

TriangleMesh tricycleMesh() {
    MeshBuilder b;
    const Paints p = addPaints(b);
    wheels(b, p);
    pedals(b, p);
    frameTubes(b, p);
    seatAndBars(b, p);
    return scaled(b.mesh(), kModelScale);
}

} // namespace qv::content
