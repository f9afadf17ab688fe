#include "meshes/BoostMesh.h"

#include "core/Angles.h"
#include "meshes/MeshBuilder.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

namespace {

// Small, because the game scales it by up to 7 and the chase camera follows about 0.5 units
// behind the rider: at the largest scale the shell wraps the whole rider yet stays clear of the
// eye (from inside, culling would hide it); at the smallest it licks round the wheels.
constexpr Vec3 kCentre{0.0f, 0.012f, 0.0f};
constexpr float kNoseRadius = 0.045f;
constexpr float kTailStretch = 0.25f; // the tail reaches (1 + this) times the nose radius back
constexpr float kRipple = 0.15f;      // depth of the flame tongues along the tail
constexpr int kTongues = 6;

// Direction from the centre for s around (seam underneath) and t from nose to tail.
Vec3 direction(float s, float t) {
    const float around = kTwoPi * s;
    return {std::cos(kPi * t), -std::sin(kPi * t) * std::cos(around), std::sin(kPi * t) * std::sin(around)};
}

Vec3 shellPoint(float s, float t) {
    const float tongues = 1.0f + kRipple * t * std::sin(kTwoPi * kTongues * s + 5.0f * t);
    const float radius = kNoseRadius * (1.0f + kTailStretch * t * t) * tongues;
    return kCentre + direction(s, t) * radius;
}

// Outward normal from the surface's slopes; at the poles, where one slope vanishes, the
// direction from the centre.
SurfacePoint shell(float s, float t) {
    constexpr float h = 1e-3f;
    const Vec3 p = shellPoint(s, t);
    const float tLow = std::max(t - h, h), tHigh = std::min(t + h, 1.0f - h);
    const Vec3 alongT = shellPoint(s, tHigh) - shellPoint(s, tLow);
    const float tMid = std::clamp(t, 2.0f * h, 1.0f - 2.0f * h);
    const Vec3 alongS = shellPoint(s + h, tMid) - shellPoint(s - h, tMid);
    Vec3 normal = normalize(cross(alongT, alongS));
    if (dot(normal, p - kCentre) < 0.0f)
        normal = normal * -1.0f;
    return {p, normal};
}

} // namespace

TriangleMesh boostMesh() {
    MeshBuilder b;
    // Drawn with lighting off: only the texture's colours and alpha show; white keeps them true.
    b.addMaterial({1.0f, 1.0f, 1.0f, 1.0f});
    b.surface(48, 24, shell);
    return b.mesh();
}

} // namespace qv::content
