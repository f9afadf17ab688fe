#include "meshes/MeshBuilder.h"

#include "core/Angles.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

namespace {

// Triangles with two corners closer than this are dropped: the slivers at a sphere's poles,
// whose corners the file's six decimals would merge into one point.
constexpr float kSamePoint = 1e-4f;

Vec3 vertexPosition(const MeshVertex& v) {
    return {v.x, v.y, v.z};
}

Vec3 vertexNormal(const MeshVertex& v) {
    return {v.nx, v.ny, v.nz};
}

Vec3 axisVector(int axis, float length) {
    Vec3 v;
    (axis == 0 ? v.x : axis == 1 ? v.y : v.z) = length;
    return v;
}

// Any unit vector at right angles to the unit vector d.
Vec3 perpendicular(const Vec3& d) {
    const Vec3 helper = std::fabs(d.y) < 0.9f ? Vec3{0.0f, 1.0f, 0.0f} : Vec3{1.0f, 0.0f, 0.0f};
    return normalize(cross(d, helper));
}

// Unit direction of the path at point i: along the neighbouring points.
Vec3 pathTangent(const std::vector<Vec3>& path, size_t i) {
    const Vec3& before = path[i == 0 ? 0 : i - 1];
    const Vec3& after = path[std::min(i + 1, path.size() - 1)];
    return normalize(after - before);
}

// Share of the path's length reached at each point.
std::vector<float> lengthShares(const std::vector<Vec3>& path) {
    std::vector<float> shares(path.size(), 0.0f);
    for (size_t i = 1; i < path.size(); ++i)
        shares[i] = shares[i - 1] + length(path[i] - path[i - 1]);
    const float total = shares.back();
    for (float& s : shares)
        s = total > 0.0f ? s / total : 0.0f;
    return shares;
}

} // namespace

TriangleMesh scaled(TriangleMesh mesh, float factor) {
    for (MeshVertex& v : mesh.vertices) {
        v.x *= factor;
        v.y *= factor;
        v.z *= factor;
    }
    return mesh;
}

Matrix4 normalMatrixOf(const Matrix4& place) {
    Matrix4 inverse;
    if (!invert(place, inverse))
        return Matrix4::identity();
    return transpose(inverse);
}

Matrix4 frame(const Vec3& xAxis, const Vec3& yAxis, const Vec3& zAxis, const Vec3& origin) {
    Matrix4 m = Matrix4::identity();
    m.m[0] = {xAxis.x, xAxis.y, xAxis.z, 0.0f};
    m.m[1] = {yAxis.x, yAxis.y, yAxis.z, 0.0f};
    m.m[2] = {zAxis.x, zAxis.y, zAxis.z, 0.0f};
    m.m[3] = {origin.x, origin.y, origin.z, 1.0f};
    return m;
}

uint32_t MeshBuilder::addMaterial(const ColorValue& diffuse, const ColorValue& emissive) {
    Material material;
    material.diffuse = diffuse;
    material.specular = {0.0f, 0.0f, 0.0f, 1.0f};
    material.emissive = {emissive.r, emissive.g, emissive.b, 1.0f};
    material.power = 10.0f;
    mesh_.materials.push_back(material);
    material_ = static_cast<uint32_t>(mesh_.materials.size() - 1);
    return material_;
}

void MeshBuilder::useMaterial(uint32_t index) {
    material_ = index;
}

uint32_t MeshBuilder::addVertex(const Vec3& position, const Vec3& normal, float u, float v,
                                const Matrix4& place, const Matrix4& normalMatrix) {
    const Vec3 p = transformPoint(position, place);
    const Vec3 n = normalize(transformNormal(normal, normalMatrix));
    mesh_.vertices.push_back({p.x, p.y, p.z, n.x, n.y, n.z, u, v});
    return static_cast<uint32_t>(mesh_.vertices.size() - 1);
}

void MeshBuilder::addTriangle(uint32_t a, uint32_t b, uint32_t c) {
    const MeshVertex& va = mesh_.vertices[a];
    const MeshVertex& vb = mesh_.vertices[b];
    const MeshVertex& vc = mesh_.vertices[c];
    const Vec3 pa = vertexPosition(va), pb = vertexPosition(vb), pc = vertexPosition(vc);
    if (length(pb - pa) < kSamePoint || length(pc - pb) < kSamePoint || length(pa - pc) < kSamePoint)
        return;
    const Vec3 face = cross(pb - pa, pc - pa);
    const Vec3 outside = vertexNormal(va) + vertexNormal(vb) + vertexNormal(vc);
    if (dot(face, outside) < 0.0f)
        std::swap(b, c);
    mesh_.faces.push_back({{a, b, c}, material_});
}

void MeshBuilder::surface(int columns, int rows, const Surface& point, const Matrix4& place) {
    columns = std::max(columns, 1);
    rows = std::max(rows, 1);
    const Matrix4 normalMatrix = normalMatrixOf(place);
    const auto first = static_cast<uint32_t>(mesh_.vertices.size());
    for (int j = 0; j <= rows; ++j) {
        for (int i = 0; i <= columns; ++i) {
            const float s = static_cast<float>(i) / static_cast<float>(columns);
            const float t = static_cast<float>(j) / static_cast<float>(rows);
            const SurfacePoint p = point(s, t);
            addVertex(p.position, p.normal, s, t, place, normalMatrix);
        }
    }
    const auto stride = static_cast<uint32_t>(columns + 1);
    for (uint32_t j = 0; j < static_cast<uint32_t>(rows); ++j) {
        for (uint32_t i = 0; i < static_cast<uint32_t>(columns); ++i) {
            const uint32_t a = first + j * stride + i;
            addTriangle(a, a + 1, a + stride);
            addTriangle(a + 1, a + stride + 1, a + stride);
        }
    }
}

void MeshBuilder::cap(const Vec3& centre, const std::vector<Vec3>& rim, const Vec3& normal,
                      const Matrix4& place) {
    const Matrix4 normalMatrix = normalMatrixOf(place);
    const uint32_t middle = addVertex(centre, normal, 0.5f, 0.5f, place, normalMatrix);
    const auto first = static_cast<uint32_t>(mesh_.vertices.size());
    for (size_t k = 0; k < rim.size(); ++k) {
        const float a = kTwoPi * static_cast<float>(k) / static_cast<float>(rim.size());
        addVertex(rim[k], normal, 0.5f + 0.5f * std::cos(a), 0.5f + 0.5f * std::sin(a), place, normalMatrix);
    }
    const auto count = static_cast<uint32_t>(rim.size());
    for (uint32_t k = 0; k < count; ++k)
        addTriangle(middle, first + k, first + (k + 1) % count);
}

void MeshBuilder::box(const Vec3& halfSize, const Matrix4& place) {
    const Matrix4 normalMatrix = normalMatrixOf(place);
    const float half[3] = {halfSize.x, halfSize.y, halfSize.z};
    for (int axis = 0; axis < 3; ++axis) {
        const int across = (axis + 1) % 3;
        const int up = (axis + 2) % 3;
        for (float side : {-1.0f, 1.0f}) {
            const Vec3 normal = axisVector(axis, side);
            const Vec3 centre = axisVector(axis, side * half[axis]);
            const auto first = static_cast<uint32_t>(mesh_.vertices.size());
            for (int corner = 0; corner < 4; ++corner) {
                const float a = corner & 1 ? 1.0f : -1.0f;
                const float b = corner & 2 ? 1.0f : -1.0f;
                const Vec3 p = centre + axisVector(across, a * half[across]) + axisVector(up, b * half[up]);
                addVertex(p, normal, (a + 1.0f) * 0.5f, (1.0f - b) * 0.5f, place, normalMatrix);
            }
            addTriangle(first, first + 1, first + 2);
            addTriangle(first + 1, first + 3, first + 2);
        }
    }
}

void MeshBuilder::ellipsoid(const Vec3& radii, int slices, int stacks, const Matrix4& place) {
    surface(
        slices, stacks,
        [](float s, float t) {
            const float around = kTwoPi * s;
            const float down = kPi * t;
            const Vec3 d{std::sin(down) * std::cos(around), std::cos(down),
                         std::sin(down) * std::sin(around)};
            return SurfacePoint{d, d};
        },
        Matrix4::scaling(radii.x, radii.y, radii.z) * place);
}

void MeshBuilder::cylinder(float radius, float halfLength, int segments, const Matrix4& place) {
    segments = std::max(segments, 3);
    surface(
        segments, 1,
        [radius, halfLength](float s, float t) {
            const Vec3 d{std::cos(kTwoPi * s), std::sin(kTwoPi * s), 0.0f};
            return SurfacePoint{d * radius + Vec3{0.0f, 0.0f, halfLength * (2.0f * t - 1.0f)}, d};
        },
        place);
    for (float side : {-1.0f, 1.0f}) {
        std::vector<Vec3> rim;
        for (int k = 0; k < segments; ++k) {
            const float a = kTwoPi * static_cast<float>(k) / static_cast<float>(segments);
            rim.push_back({radius * std::cos(a), radius * std::sin(a), side * halfLength});
        }
        cap({0.0f, 0.0f, side * halfLength}, rim, {0.0f, 0.0f, side}, place);
    }
}

void MeshBuilder::torus(float ringRadius, float tubeRadius, int ringSegments, int tubeSegments,
                        const Matrix4& place) {
    surface(
        ringSegments, tubeSegments,
        [ringRadius, tubeRadius](float s, float t) {
            const Vec3 out{std::cos(kTwoPi * s), std::sin(kTwoPi * s), 0.0f};
            const Vec3 normal = out * std::cos(kTwoPi * t) + Vec3{0.0f, 0.0f, std::sin(kTwoPi * t)};
            return SurfacePoint{out * ringRadius + normal * tubeRadius, normal};
        },
        place);
}

void MeshBuilder::tube(const std::vector<Vec3>& path, float startRadius, float endRadius, int segments,
                       const Matrix4& place) {
    if (path.size() < 2)
        return;
    segments = std::max(segments, 3);
    // Rotation-minimising frames: each ring's reference direction is the previous one with its
    // share along the new tangent removed, so the tube does not twist around bends.
    std::vector<Vec3> across(path.size());
    across[0] = perpendicular(pathTangent(path, 0));
    for (size_t i = 1; i < path.size(); ++i) {
        const Vec3 t = pathTangent(path, i);
        const Vec3 kept = across[i - 1] - t * dot(across[i - 1], t);
        across[i] = dot(kept, kept) > 1e-12f ? normalize(kept) : perpendicular(t);
    }
    const std::vector<float> shares = lengthShares(path);
    auto ring = [&](size_t i, float s) {
        const Vec3 t = pathTangent(path, i);
        const Vec3 side = cross(t, across[i]);
        const Vec3 d = across[i] * std::cos(kTwoPi * s) + side * std::sin(kTwoPi * s);
        const float r = startRadius + (endRadius - startRadius) * shares[i];
        return SurfacePoint{path[i] + d * r, d};
    };
    const int last = static_cast<int>(path.size()) - 1;
    surface(
        segments, last,
        [&](float s, float t) {
            return ring(static_cast<size_t>(std::lround(t * static_cast<float>(last))), s);
        },
        place);
    for (size_t end : {size_t{0}, path.size() - 1}) {
        std::vector<Vec3> rim;
        for (int k = 0; k < segments; ++k)
            rim.push_back(ring(end, static_cast<float>(k) / static_cast<float>(segments)).position);
        const Vec3 outward = pathTangent(path, end) * (end == 0 ? -1.0f : 1.0f);
        cap(path[end], rim, outward, place);
    }
}

} // namespace qv::content
