#include "meshes/StrollenMesh.h"

#include "core/Angles.h"
#include "meshes/MeshBuilder.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::content {

namespace {

// The figure is designed about one unit tall, its feet on y = 0, its face towards +x; the
// finished mesh is then centred and scaled to kStrollenHeight.
struct Blob {
    Vec3 centre;
    Vec3 radii;
};

constexpr Blob kHead{{0.0f, 0.68f, 0.0f}, {0.2f, 0.2f, 0.2f}};
constexpr Blob kBody{{0.0f, 0.33f, 0.0f}, {0.17f, 0.19f, 0.18f}};
constexpr float kBrimElevation = 0.6f; // where the cap sits on the head

// The game lights its meshes almost flatly (strong ambient, weak sun), so the figure reads by its
// colours alone. A little glow of their own keeps them bright in the shade of that light.
constexpr float kGlow = 0.15f;

struct Paints {
    uint32_t skin, suit, legs, shoe, cap, white, pupil, mouth, tongue, blush, nose, brow, bobble;
};

uint32_t paint(MeshBuilder& b, float r, float g, float bl) {
    return b.addMaterial(opaque(r, g, bl), opaque(kGlow * r, kGlow * g, kGlow * bl));
}

Paints addPaints(MeshBuilder& b) {
    Paints p{};
    p.skin = paint(b, 1.0f, 0.84f, 0.3f);
    p.suit = paint(b, 0.95f, 0.12f, 0.58f);
    p.legs = paint(b, 0.5f, 0.2f, 0.88f);
    p.shoe = paint(b, 1.0f, 0.45f, 0.05f);
    p.cap = paint(b, 0.08f, 0.78f, 1.0f);
    p.white = paint(b, 1.0f, 1.0f, 1.0f);
    p.pupil = paint(b, 0.08f, 0.06f, 0.16f);
    p.mouth = paint(b, 0.55f, 0.04f, 0.12f);
    p.tongue = paint(b, 1.0f, 0.42f, 0.58f);
    p.blush = paint(b, 1.0f, 0.5f, 0.42f);
    p.nose = paint(b, 1.0f, 0.22f, 0.16f);
    p.brow = paint(b, 0.35f, 0.14f, 0.05f);
    p.bobble = paint(b, 1.0f, 0.95f, 0.2f);
    return p;
}

// A frame on the surface of a blob: x along the outward normal, y up the surface, z across.
// Azimuth turns from +x towards +z, elevation up from the middle.
Matrix4 onSurface(const Blob& blob, float azimuth, float elevation, float lift = 0.0f) {
    const Vec3 d{std::cos(elevation) * std::cos(azimuth), std::sin(elevation),
                 std::cos(elevation) * std::sin(azimuth)};
    const Vec3 point = blob.centre + Vec3{d.x * blob.radii.x, d.y * blob.radii.y, d.z * blob.radii.z};
    const Vec3 normal = normalize({d.x / blob.radii.x, d.y / blob.radii.y, d.z / blob.radii.z});
    const Vec3 up = normalize(Vec3{0.0f, 1.0f, 0.0f} - normal * normal.y);
    return frame(normal, up, cross(normal, up), point + normal * lift);
}

Vec3 originOf(const Matrix4& m) {
    return {m.m[3][0], m.m[3][1], m.m[3][2]};
}

// A line over a blob's surface at a fixed height above it, between two azimuths, its elevation
// following `rise` (k runs 0..1 along the way).
template <typename Rise>
std::vector<Vec3> surfaceArc(const Blob& blob, float fromAzimuth, float toAzimuth, float lift, Rise rise) {
    constexpr int kSteps = 10;
    std::vector<Vec3> points;
    for (int i = 0; i <= kSteps; ++i) {
        const float k = static_cast<float>(i) / kSteps;
        points.push_back(
            originOf(onSurface(blob, fromAzimuth + (toAzimuth - fromAzimuth) * k, rise(k), lift)));
    }
    return points;
}

// Big eyes glancing sideways, one brow cocked higher than the other.
void eyes(MeshBuilder& b, const Paints& p) {
    for (float side : {-1.0f, 1.0f}) {
        const Matrix4 eye = onSurface(kHead, side * 0.33f, 0.15f, -0.012f);
        b.useMaterial(p.white);
        b.ellipsoid({0.03f, 0.065f, 0.05f}, 20, 12, eye);
        b.useMaterial(p.pupil);
        const Matrix4 pupil = Matrix4::translation(0.022f, -0.008f, 0.016f) * eye;
        b.ellipsoid({0.02f, 0.036f, 0.029f}, 16, 10, pupil);
        b.useMaterial(p.white);
        b.ellipsoid({0.007f, 0.011f, 0.011f}, 8, 6, Matrix4::translation(0.017f, 0.014f, -0.008f) * pupil);
        const float cocked = side > 0.0f ? 0.08f : 0.0f;
        b.useMaterial(p.brow);
        b.tube(surfaceArc(kHead, side * 0.16f, side * 0.52f, 0.012f,
                          [cocked](float k) { return 0.43f + cocked + 0.06f * std::sin(kPi * k); }),
               0.016f, 0.011f, 8);
    }
}

// A round red nose, rosy cheeks and a wide grin with the tongue stuck out.
void grin(MeshBuilder& b, const Paints& p) {
    b.useMaterial(p.nose);
    b.ellipsoid({0.045f, 0.042f, 0.042f}, 16, 10, at(originOf(onSurface(kHead, 0.0f, -0.05f, 0.02f))));
    b.useMaterial(p.blush);
    for (float side : {-1.0f, 1.0f})
        b.ellipsoid({0.012f, 0.035f, 0.045f}, 14, 8, onSurface(kHead, side * 0.74f, -0.18f, -0.004f));
    b.useMaterial(p.mouth);
    b.tube(
        surfaceArc(kHead, -0.55f, 0.55f, 0.004f, [](float k) { return -0.3f - 0.16f * std::sin(kPi * k); }),
        0.024f, 0.024f, 10);
    b.useMaterial(p.tongue);
    b.ellipsoid({0.032f, 0.055f, 0.05f}, 14, 10, onSurface(kHead, 0.06f, -0.56f, 0.024f));
}

// Pointed ears sticking out sideways and up, through the cap's brim line.
void ears(MeshBuilder& b, const Paints& p) {
    b.useMaterial(p.skin);
    for (float side : {-1.0f, 1.0f}) {
        const Vec3 base = originOf(onSurface(kHead, side * kHalfPi, 0.22f, -0.03f));
        const Vec3 out{0.0f, 0.0f, side};
        const Vec3 up{0.0f, 1.0f, 0.0f};
        b.tube({base, base + out * 0.1f + up * 0.05f, base + out * 0.18f + up * 0.15f}, 0.055f, 0.008f, 12);
    }
}

// A floppy jester's cap whose tip hangs backwards, with a white brim and a bobble.
void cap(MeshBuilder& b, const Paints& p) {
    const float brimY = kHead.centre.y + kHead.radii.y * std::sin(kBrimElevation);
    const float brimRadius = kHead.radii.x * std::cos(kBrimElevation);
    b.useMaterial(p.white);
    b.torus(brimRadius, 0.035f, 32, 10, Matrix4::rotationX(kHalfPi) * at({0.0f, brimY, 0.0f}));
    b.useMaterial(p.cap);
    const std::vector<Vec3> path{{0.0f, brimY, 0.0f},  {0.0f, 0.9f, 0.0f},    {-0.03f, 1.0f, 0.0f},
                                 {-0.1f, 1.07f, 0.0f}, {-0.19f, 1.06f, 0.0f}, {-0.24f, 0.99f, 0.0f}};
    b.tube(path, brimRadius + 0.005f, 0.02f, 24);
    b.useMaterial(p.bobble);
    b.ellipsoid({0.055f, 0.055f, 0.055f}, 16, 10, at({-0.25f, 0.96f, 0.0f}));
}

// A ruff of bobbles round the neck, in the cap's colours.
void ruff(MeshBuilder& b, const Paints& p) {
    constexpr int kBobbles = 10;
    for (int i = 0; i < kBobbles; ++i) {
        const float a = kTwoPi * static_cast<float>(i) / kBobbles;
        b.useMaterial(i % 2 == 0 ? p.cap : p.bobble);
        b.ellipsoid({0.05f, 0.045f, 0.05f}, 12, 8, at({0.15f * std::cos(a), 0.49f, 0.15f * std::sin(a)}));
    }
}

void body(MeshBuilder& b, const Paints& p) {
    b.useMaterial(p.suit);
    b.ellipsoid(kBody.radii, 32, 20, at(kBody.centre));
    b.useMaterial(p.white);
    b.ellipsoid({0.025f, 0.1f, 0.09f}, 16, 10, onSurface(kBody, 0.0f, -0.1f, -0.01f));
}

// Arms raised, gloved hands beside the head with their fingers spread: "nyah nyah".
void arms(MeshBuilder& b, const Paints& p) {
    for (float side : {-1.0f, 1.0f}) {
        const Vec3 shoulder{0.0f, 0.43f, side * 0.14f};
        const Vec3 elbow{0.03f, 0.4f, side * 0.32f};
        const Vec3 wrist{0.05f, 0.56f, side * 0.33f};
        b.useMaterial(p.suit);
        b.tube({shoulder, elbow, wrist}, 0.045f, 0.035f, 12);
        const Vec3 hand{0.06f, 0.61f, side * 0.33f};
        b.useMaterial(p.white);
        b.ellipsoid({0.035f, 0.055f, 0.05f}, 14, 10, at(hand));
        // Fingers fan upwards and outwards, the thumb points at the head.
        for (float angle : {-1.3f, -0.25f, 0.15f, 0.55f, 0.95f}) {
            const Vec3 d{0.0f, std::cos(angle), side * std::sin(angle)};
            const float reach = angle < -1.0f ? 0.08f : 0.11f;
            b.tube({hand + d * 0.035f, hand + d * reach}, 0.02f, 0.016f, 8);
        }
    }
}

// Short legs and long shoes whose toes curl up into a bobble.
void legs(MeshBuilder& b, const Paints& p) {
    for (float side : {-1.0f, 1.0f}) {
        const float z = side * 0.1f;
        b.useMaterial(p.legs);
        b.tube({{0.0f, 0.2f, side * 0.085f}, {0.01f, 0.07f, z}}, 0.05f, 0.045f, 12);
        b.useMaterial(p.shoe);
        b.tube(
            {{-0.07f, 0.045f, z}, {0.04f, 0.04f, z}, {0.13f, 0.05f, z}, {0.19f, 0.09f, z}, {0.2f, 0.14f, z}},
            0.06f, 0.014f, 14);
        b.useMaterial(p.bobble);
        b.ellipsoid({0.026f, 0.026f, 0.026f}, 10, 6, at({0.2f, 0.155f, z}));
    }
}

// The mesh moved so that its bounding box is centred on the origin.
TriangleMesh centred(TriangleMesh mesh) {
    constexpr float kBig = std::numeric_limits<float>::max();
    Vec3 low{kBig, kBig, kBig};
    Vec3 high{-kBig, -kBig, -kBig};
    for (const MeshVertex& v : mesh.vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    const Vec3 middle = (low + high) * 0.5f;
    for (MeshVertex& v : mesh.vertices) {
        v.x -= middle.x;
        v.y -= middle.y;
        v.z -= middle.z;
    }
    return mesh;
}

float heightOf(const TriangleMesh& mesh) {
    const auto [low, high] =
        std::minmax_element(mesh.vertices.begin(), mesh.vertices.end(),
                            [](const MeshVertex& a, const MeshVertex& b) { return a.y < b.y; });
    return high->y - low->y;
}

} // namespace

TriangleMesh strollenMesh() {
    MeshBuilder b;
    const Paints p = addPaints(b);
    legs(b, p);
    body(b, p);
    ruff(b, p);
    arms(b, p);
    b.useMaterial(p.skin);
    b.ellipsoid(kHead.radii, 32, 20, at(kHead.centre));
    ears(b, p);
    eyes(b, p);
    grin(b, p);
    cap(b, p);
    const TriangleMesh designed = centred(b.mesh());
    return scaled(designed, kStrollenHeight / heightOf(designed));
}

} // namespace qv::content
