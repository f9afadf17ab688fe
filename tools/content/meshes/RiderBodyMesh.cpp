#include "meshes/RiderBodyMesh.h"

#include "core/Angles.h"
#include "meshes/MeshBuilder.h"
#include "meshes/RiderLayout.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

namespace {

using namespace rider;

// Face features sit on the body at these angles: azimuth from +x towards +z, elevation up.
constexpr float kEyeAzimuth = 0.34f;
constexpr float kEyeElevation = 0.3f;
constexpr float kBrowElevation = 0.51f;
constexpr float kThigh = 0.19f;
constexpr float kShin = 0.21f;

// A frame on the body's surface: x along the outward normal, y up the surface, z across.
Matrix4 onBody(float azimuth, float elevation, float lift = 0.0f) {
    const Vec3 d{std::cos(elevation) * std::cos(azimuth), std::sin(elevation),
                 std::cos(elevation) * std::sin(azimuth)};
    const Vec3 surface = kBodyCentre + Vec3{d.x * kBodyRadii.x, d.y * kBodyRadii.y, d.z * kBodyRadii.z};
    const Vec3 normal = normalize({d.x / kBodyRadii.x, d.y / kBodyRadii.y, d.z / kBodyRadii.z});
    const Vec3 up = normalize(Vec3{0.0f, 1.0f, 0.0f} - normal * normal.y);
    return frame(normal, up, cross(normal, up), surface + normal * lift);
}

Vec3 originOf(const Matrix4& m) {
    return {m.m[3][0], m.m[3][1], m.m[3][2]};
}

// A curve over the body's surface at a fixed height above it, from one azimuth to another with
// the elevation given by `rise` over the way (0 at the start, 1 at the end).
template <typename Rise>
std::vector<Vec3> surfaceArc(float fromAzimuth, float toAzimuth, float lift, int steps, Rise rise) {
    std::vector<Vec3> points;
    for (int i = 0; i <= steps; ++i) {
        const float k = static_cast<float>(i) / static_cast<float>(steps);
        points.push_back(originOf(onBody(fromAzimuth + (toAzimuth - fromAzimuth) * k, rise(k), lift)));
    }
    return points;
}

// The knee of a leg from hip to foot, bent forwards and up.
Vec3 knee(const Vec3& hip, const Vec3& foot) {
    const Vec3 reach = foot - hip;
    const float d = std::min(length(reach), kThigh + kShin - 1e-3f);
    const float along = (kThigh * kThigh - kShin * kShin + d * d) / (2.0f * d);
    const float out = std::sqrt(std::max(0.0f, kThigh * kThigh - along * along));
    const Vec3 dir = normalize(reach);
    const Vec3 bend = normalize(Vec3{-dir.y, dir.x, 0.0f}); // in the xz-vertical plane, towards +x
    return hip + dir * along + (bend.x < 0.0f ? bend * -out : bend * out);
}

struct Paints {
    uint32_t skin, white, pupil, cheek, mouth, shoe;
};

void eyes(MeshBuilder& b, const Paints& p) {
    for (float side : {-1.0f, 1.0f}) {
        const float azimuth = side * kEyeAzimuth;
        b.useMaterial(p.white);
        b.ellipsoid({0.022f, 0.052f, 0.036f}, 20, 12, onBody(azimuth, kEyeElevation));
        b.useMaterial(p.pupil);
        const Matrix4 pupil = Matrix4::translation(0.012f, -0.01f, 0.0f) * onBody(azimuth, kEyeElevation);
        b.ellipsoid({0.016f, 0.033f, 0.024f}, 16, 10, pupil);
        b.useMaterial(p.white);
        b.ellipsoid({0.008f, 0.009f, 0.009f}, 8, 6, Matrix4::translation(0.017f, 0.012f, 0.006f) * pupil);
    }
}

void cheeksAndMouth(MeshBuilder& b, const Paints& p) {
    b.useMaterial(p.cheek);
    for (float side : {-1.0f, 1.0f})
        b.ellipsoid({0.01f, 0.026f, 0.04f}, 16, 8, onBody(side * 0.62f, 0.04f));
    b.useMaterial(p.mouth);
    b.tube(surfaceArc(-0.2f, 0.2f, 0.003f, 10, [](float k) { return -0.02f - 0.08f * std::sin(kPi * k); }),
           0.011f, 0.011f, 8);
}

// Round ears high on the sides, turned forwards, pink inside.
void ears(MeshBuilder& b, const Paints& p) {
    for (float side : {-1.0f, 1.0f}) {
        const Matrix4 onHead = onBody(side * 1.5f, 0.78f, -0.01f);
        const Vec3 facing = normalize({1.0f, 0.0f, side * 0.35f});
        const Vec3 up{0.0f, 1.0f, 0.0f};
        const Matrix4 ear = frame(facing, up, cross(facing, up), originOf(onHead));
        b.useMaterial(p.skin);
        b.ellipsoid({0.03f, 0.065f, 0.06f}, 16, 10, ear);
        b.useMaterial(p.cheek);
        b.ellipsoid({0.012f, 0.042f, 0.038f}, 12, 8, Matrix4::translation(0.022f, 0.005f, 0.0f) * ear);
    }
}

// A little curl of hair on top.
void tuft(MeshBuilder& b, const Paints& p) {
    b.useMaterial(p.skin);
    const Vec3 top = kBodyCentre + Vec3{0.0f, kBodyRadii.y - 0.02f, 0.0f};
    b.tube({top, top + Vec3{-0.01f, 0.07f, 0.0f}, top + Vec3{0.03f, 0.11f, 0.0f},
            top + Vec3{0.07f, 0.09f, 0.0f}, top + Vec3{0.065f, 0.06f, 0.0f}},
           0.03f, 0.012f, 10);
}

void arms(MeshBuilder& b, const Paints& p) {
    for (float side : {-1.0f, 1.0f}) {
        const Vec3 shoulder = originOf(onBody(side * 1.1f, -0.1f, -0.03f));
        const Vec3 hand = grip(side);
        const Vec3 elbow = (shoulder + hand) * 0.5f + Vec3{0.0f, -0.035f, side * 0.025f};
        b.useMaterial(p.skin);
        b.tube({shoulder, elbow, hand}, 0.036f, 0.028f, 12);
        b.useMaterial(p.white);
        b.ellipsoid({0.038f, 0.036f, 0.042f}, 14, 10, at(hand + Vec3{0.0f, 0.008f, 0.0f}));
    }
}

void legs(MeshBuilder& b, const Paints& p) {
    for (float side : {-1.0f, 1.0f}) {
        const Vec3 hip = originOf(onBody(side * 0.6f, -0.95f, -0.03f));
        const Vec3 foot = pedal(side) + Vec3{0.0f, 0.03f, 0.0f};
        b.useMaterial(p.skin);
        b.tube({hip, knee(hip, foot), foot}, 0.05f, 0.037f, 12);
        b.useMaterial(p.shoe);
        b.ellipsoid({0.058f, 0.032f, 0.038f}, 16, 10, at(foot + Vec3{0.008f, 0.008f, 0.0f}));
    }
}

} // namespace

TriangleMesh riderBodyMesh() {
    MeshBuilder b;
    Paints p{};
    p.skin = b.addMaterial(opaque(1.0f, 0.62f, 0.30f));
    p.white = b.addMaterial(opaque(1.0f, 1.0f, 1.0f));
    p.pupil = b.addMaterial(opaque(0.08f, 0.06f, 0.12f));
    p.cheek = b.addMaterial(opaque(1.0f, 0.40f, 0.48f));
    p.mouth = b.addMaterial(opaque(0.55f, 0.08f, 0.12f));
    p.shoe = b.addMaterial(opaque(0.16f, 0.42f, 0.95f));
    b.useMaterial(p.skin);
    b.ellipsoid(kBodyRadii, 36, 22, at(kBodyCentre));
    tuft(b, p);
    ears(b, p);
    eyes(b, p);
    cheeksAndMouth(b, p);
    arms(b, p);
    legs(b, p);
    return scaled(b.mesh(), kModelScale);
}

TriangleMesh riderBrowsMesh() {
    MeshBuilder b;
    b.addMaterial(opaque(0.30f, 0.14f, 0.06f));
    for (float side : {-1.0f, 1.0f}) {
        const float inner = side * (kEyeAzimuth - 0.12f);
        const float outer = side * (kEyeAzimuth + 0.13f);
        b.tube(surfaceArc(inner, outer, 0.006f, 8,
                          [](float k) { return kBrowElevation + 0.05f * std::sin(kPi * k) - 0.03f * k; }),
               0.012f, 0.009f, 8);
    }
    return scaled(b.mesh(), kModelScale);
}

} // namespace qv::content
