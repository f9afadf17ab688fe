#include "meshes/ArrowMesh.h"

#include "meshes/MeshBuilder.h"

#include <vector>

namespace qv::content {

namespace {

constexpr float kLength = 2.3f;
constexpr float kTail = -0.5f * kLength;
constexpr float kTip = 0.5f * kLength;
constexpr float kNeck = kTip - 0.95f; // where the head starts
constexpr float kBarbSweep = 0.14f;   // the head's back corners reach behind the neck
constexpr float kHeadHalfWidth = 0.6f;
constexpr float kShaftHalfWidth = 0.22f;
constexpr float kHalfThickness = 0.15f;
constexpr float kBevel = 0.075f; // across and down

// The outline in the xz plane, anticlockwise seen from above (x forward, z to the left).
// Shaft and head each make a convex piece: the shaft is points 0-1 and 5-6, the head 1-5.
const std::vector<Vec2>& outline() {
    static const std::vector<Vec2> points{{kTail, -kShaftHalfWidth},
                                          {kNeck, -kShaftHalfWidth},
                                          {kNeck - kBarbSweep, -kHeadHalfWidth},
                                          {kTip, 0.0f},
                                          {kNeck - kBarbSweep, kHeadHalfWidth},
                                          {kNeck, kShaftHalfWidth},
                                          {kTail, kShaftHalfWidth}};
    return points;
}

Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}

// Outward normal of the edge from a to b of an anticlockwise outline.
Vec2 outwardOf(Vec2 a, Vec2 b) {
    const Vec2 d = normalize(b - a);
    return {d.y, -d.x};
}

// The outline moved inwards by `by`, each corner along its mitre so every edge stays parallel.
std::vector<Vec2> inset(const std::vector<Vec2>& points, float by) {
    std::vector<Vec2> out;
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec2 before = outwardOf(points[(i + n - 1) % n], points[i]);
        const Vec2 after = outwardOf(points[i], points[(i + 1) % n]);
        const float mitre = by / (1.0f + before.x * after.x + before.y * after.y);
        out.push_back(
            {points[i].x - (before.x + after.x) * mitre, points[i].y - (before.y + after.y) * mitre});
    }
    return out;
}

Vec3 at(Vec2 p, float y) {
    return {p.x, y, p.y};
}

// A flat four-cornered facet a-b-d-c (c under a, d under b), facing `normal`.
void facet(MeshBuilder& b, Vec3 a, Vec3 bb, Vec3 c, Vec3 d, Vec3 normal) {
    b.surface(1, 1, [&](float s, float t) {
        const Vec3 top = a + (bb - a) * s;
        const Vec3 bottom = c + (d - c) * s;
        return SurfacePoint{top + (bottom - top) * t, normal};
    });
}

// A convex flat piece at height y, as a fan of triangles around its middle.
void flatPiece(MeshBuilder& b, const std::vector<Vec2>& corners, float y, Vec3 normal) {
    Vec2 middle{};
    for (const Vec2& c : corners)
        middle = {middle.x + c.x / static_cast<float>(corners.size()),
                  middle.y + c.y / static_cast<float>(corners.size())};
    for (size_t i = 0; i < corners.size(); ++i) {
        const Vec3 m = at(middle, y);
        facet(b, m, m, at(corners[i], y), at(corners[(i + 1) % corners.size()], y), normal);
    }
}

// Top or bottom face (side +1 or -1): the inset outline cut into shaft and head.
void flatFace(MeshBuilder& b, const std::vector<Vec2>& inner, float side) {
    const float y = side * kHalfThickness;
    const Vec3 normal{0.0f, side, 0.0f};
    flatPiece(b, {inner[0], inner[1], inner[5], inner[6]}, y, normal);
    flatPiece(b, {inner[1], inner[2], inner[3], inner[4], inner[5]}, y, normal);
}

// The bevels from the faces down to the sides, and the sides themselves.
void rim(MeshBuilder& b, const std::vector<Vec2>& outer, const std::vector<Vec2>& inner) {
    const float faceY = kHalfThickness;
    const float edgeY = kHalfThickness - kBevel;
    for (size_t i = 0; i < outer.size(); ++i) {
        const size_t j = (i + 1) % outer.size();
        const Vec2 out = outwardOf(outer[i], outer[j]);
        for (float side : {-1.0f, 1.0f}) {
            const Vec3 slope = normalize(Vec3{out.x, side, out.y});
            facet(b, at(inner[i], side * faceY), at(inner[j], side * faceY), at(outer[i], side * edgeY),
                  at(outer[j], side * edgeY), slope);
        }
        facet(b, at(outer[i], edgeY), at(outer[j], edgeY), at(outer[i], -edgeY), at(outer[j], -edgeY),
              {out.x, 0.0f, out.y});
    }
}

} // namespace

TriangleMesh arrowMesh() {
    MeshBuilder b;
    // The game lights it with a strong ambient; a little glow keeps the yellow from going dull.
    const uint32_t top = b.addMaterial(opaque(1.0f, 0.86f, 0.12f), {0.16f, 0.13f, 0.02f, 1.0f});
    const uint32_t edge = b.addMaterial(opaque(0.88f, 0.32f, 0.04f), {0.08f, 0.03f, 0.0f, 1.0f});
    const std::vector<Vec2> inner = inset(outline(), kBevel);
    b.useMaterial(top);
    for (float side : {-1.0f, 1.0f})
        flatFace(b, inner, side);
    b.useMaterial(edge);
    rim(b, outline(), inner);
    return b.mesh();
}

} // namespace qv::content
