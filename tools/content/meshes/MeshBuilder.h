#pragma once

#include "core/Matrix4.h"
#include "core/Vec3.h"
#include "meshes/TriangleMesh.h"

#include <functional>
#include <vector>

namespace qv::content {

// One point of a parametric surface: where it is and which way its outside faces.
struct SurfacePoint {
    Vec3 position;
    Vec3 normal;
};

// Builds a mesh from readable parts. Each shape is made in its own frame and placed by an affine
// transform (row vectors, applied after the shape is made); normals follow through the inverse
// transpose. Every triangle is wound so that it faces the way its vertex normals do, so shapes
// stay outward-facing even when a placement mirrors them. Shapes take the current material.
class MeshBuilder {
  public:
    using Surface = std::function<SurfacePoint(float s, float t)>;

    // Adds a material (diffuse colour with alpha, emissive) and makes it current.
    uint32_t addMaterial(const ColorValue& diffuse, const ColorValue& emissive = {0.0f, 0.0f, 0.0f, 1.0f});
    void useMaterial(uint32_t index);

    // A box of the given half extents around the origin, flat-shaded.
    void box(const Vec3& halfSize, const Matrix4& place = Matrix4::identity());
    // An ellipsoid around the origin (a sphere when the radii agree); u runs around y, v from
    // the top (+y) down.
    void ellipsoid(const Vec3& radii, int slices, int stacks, const Matrix4& place = Matrix4::identity());
    // A cylinder along z from -halfLength to +halfLength with flat end caps (a wheel's hub, an
    // axle, a grip).
    void cylinder(float radius, float halfLength, int segments, const Matrix4& place = Matrix4::identity());
    // A ring in the xy plane around the z axis (a tyre).
    void torus(float ringRadius, float tubeRadius, int ringSegments, int tubeSegments,
               const Matrix4& place = Matrix4::identity());
    // A tube along a polyline whose radius runs linearly from startRadius to endRadius, its ends
    // closed by flat caps (a frame tube, a limb, an eyebrow).
    void tube(const std::vector<Vec3>& path, float startRadius, float endRadius, int segments,
              const Matrix4& place = Matrix4::identity());
    // Any surface over s, t in [0, 1]: columns x rows quads, u = s, v = t.
    void surface(int columns, int rows, const Surface& point, const Matrix4& place = Matrix4::identity());

    const TriangleMesh& mesh() const { return mesh_; }

  private:
    uint32_t addVertex(const Vec3& position, const Vec3& normal, float u, float v, const Matrix4& place,
                       const Matrix4& normalMatrix);
    // Adds the triangle, wound to face the way the sum of its vertex normals points.
    void addTriangle(uint32_t a, uint32_t b, uint32_t c);
    // A flat disc cap: centre and rim points, all facing `normal`.
    void cap(const Vec3& centre, const std::vector<Vec3>& rim, const Vec3& normal, const Matrix4& place);

    TriangleMesh mesh_;
    uint32_t material_ = 0;
};

// The mesh with every position scaled by `factor` about the origin (normals keep their way).
TriangleMesh scaled(TriangleMesh mesh, float factor);

// The inverse transpose of a placement, which carries normals.
Matrix4 normalMatrixOf(const Matrix4& place);

// The placement that takes the shape's x, y and z axes to the given vectors and its origin to
// `origin` (row vectors: the axes are the matrix's first three rows).
Matrix4 frame(const Vec3& xAxis, const Vec3& yAxis, const Vec3& zAxis, const Vec3& origin);

inline ColorValue opaque(float r, float g, float b) {
    return {r, g, b, 1.0f};
}

inline Matrix4 at(const Vec3& p) {
    return Matrix4::translation(p.x, p.y, p.z);
}

} // namespace qv::content
