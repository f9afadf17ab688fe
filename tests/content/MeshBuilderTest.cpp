#include "meshes/MeshBuilder.h"
#include "core/Angles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::content {
namespace {

Vec3 positionOf(const MeshVertex& v) {
    return {v.x, v.y, v.z};
}

Vec3 normalOf(const MeshVertex& v) {
    return {v.nx, v.ny, v.nz};
}

// Enclosed volume by the divergence theorem. Positive only when every face is wound so that
// cross(b - a, c - a) points out of the solid, i.e. clockwise seen from outside in the game's
// left-handed space.
float signedVolume(const TriangleMesh& mesh) {
    double sum = 0.0;
    for (const TriangleMesh::Face& f : mesh.faces) {
        const Vec3 a = positionOf(mesh.vertices[f.corners[0]]);
        const Vec3 b = positionOf(mesh.vertices[f.corners[1]]);
        const Vec3 c = positionOf(mesh.vertices[f.corners[2]]);
        sum += dot(a, cross(b, c));
    }
    return static_cast<float>(sum / 6.0);
}

// Faces whose winding disagrees with the normals of their corners.
int facesTurnedAgainstNormals(const TriangleMesh& mesh) {
    int count = 0;
    for (const TriangleMesh::Face& f : mesh.faces) {
        const MeshVertex& a = mesh.vertices[f.corners[0]];
        const MeshVertex& b = mesh.vertices[f.corners[1]];
        const MeshVertex& c = mesh.vertices[f.corners[2]];
        const Vec3 face = cross(positionOf(b) - positionOf(a), positionOf(c) - positionOf(a));
        count += dot(face, normalOf(a) + normalOf(b) + normalOf(c)) <= 0.0f ? 1 : 0;
    }
    return count;
}

TriangleMesh one(const std::function<void(MeshBuilder&)>& shape) {
    MeshBuilder b;
    b.addMaterial({1.0f, 1.0f, 1.0f, 1.0f});
    shape(b);
    return b.mesh();
}

TEST(MeshBuilder, ClosedShapesEncloseTheirVolumeFacingOutwards) {
    struct Case {
        const char* name;
        TriangleMesh mesh;
        float volume;
        float tolerance; // share of the volume lost to tessellation
    };
    const Case cases[] = {
        {"box", one([](MeshBuilder& b) {
             b.box({0.5f, 0.25f, 1.0f});
         }),
         1.0f, 1e-5f},
        {"sphere", one([](MeshBuilder& b) {
             b.ellipsoid({0.3f, 0.3f, 0.3f}, 48, 24);
         }),
         4.0f / 3.0f * kPi * 0.027f, 0.02f},
        {"ellipsoid", one([](MeshBuilder& b) {
             b.ellipsoid({0.1f, 0.2f, 0.4f}, 48, 24);
         }),
         4.0f / 3.0f * kPi * 0.008f, 0.02f},
        {"cylinder", one([](MeshBuilder& b) { b.cylinder(0.2f, 0.5f, 64); }), kPi * 0.04f, 0.01f},
        {"torus", one([](MeshBuilder& b) { b.torus(0.5f, 0.1f, 64, 24); }), kTwoPi * kPi * 0.5f * 0.01f,
         0.02f},
        {"tube", one([](MeshBuilder& b) {
             b.tube({{0, 0, 0}, {0.5f, 0, 0}, {1.0f, 0, 0}}, 0.1f, 0.1f, 64);
         }),
         kPi * 0.01f, 0.01f},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(signedVolume(c.mesh), c.volume, c.volume * c.tolerance) << c.name;
        EXPECT_EQ(facesTurnedAgainstNormals(c.mesh), 0) << c.name;
    }
}

TEST(MeshBuilder, MirroredAndMovedShapesStillFaceOutwards) {
    const Matrix4 mirror = Matrix4::scaling(-1.0f, 1.0f, 1.0f) * Matrix4::translation(2.0f, 1.0f, -3.0f);
    const TriangleMesh box = one([&](MeshBuilder& b) { b.box({0.5f, 0.5f, 0.5f}, mirror); });
    EXPECT_NEAR(signedVolume(box), 1.0f, 1e-4f);
    const TriangleMesh wheel = one([&](MeshBuilder& b) { b.torus(0.5f, 0.1f, 32, 12, mirror); });
    EXPECT_GT(signedVolume(wheel), 0.0f);
    EXPECT_EQ(facesTurnedAgainstNormals(wheel), 0);
}

TEST(MeshBuilder, StretchedShapesKeepUnitNormalsAtRightAnglesToTheirSurface) {
    const Vec3 radii{0.1f, 0.3f, 0.2f};
    const Vec3 centre{1.0f, 2.0f, 3.0f};
    const TriangleMesh mesh = one([&](MeshBuilder& b) { b.ellipsoid(radii, 24, 12, at(centre)); });
    for (const MeshVertex& v : mesh.vertices) {
        const Vec3 p = positionOf(v) - centre;
        // The ellipsoid's own normal at p is the gradient of its equation.
        const Vec3 expected =
            normalize({p.x / (radii.x * radii.x), p.y / (radii.y * radii.y), p.z / (radii.z * radii.z)});
        EXPECT_NEAR(length(normalOf(v)), 1.0f, 1e-5f);
        EXPECT_GT(dot(normalOf(v), expected), 0.9999f) << p.x << " " << p.y << " " << p.z;
    }
}

TEST(MeshBuilder, TubesFollowTheirPathWithTheirTaperedRadius) {
    const std::vector<Vec3> path{{0, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    const TriangleMesh mesh = one([&](MeshBuilder& b) { b.tube(path, 0.2f, 0.1f, 16); });
    // The first ring is 0.2 from the start, the last 0.1 from the end; no point strays further.
    int nearStart = 0, nearEnd = 0;
    for (const MeshVertex& v : mesh.vertices) {
        const float toStart = length(positionOf(v) - path.front());
        const float toEnd = length(positionOf(v) - path.back());
        nearStart += std::fabs(toStart - 0.2f) < 1e-5f ? 1 : 0;
        nearEnd += std::fabs(toEnd - 0.1f) < 1e-5f ? 1 : 0;
    }
    EXPECT_GE(nearStart, 16);
    EXPECT_GE(nearEnd, 16);
    EXPECT_EQ(facesTurnedAgainstNormals(mesh), 0);
}

TEST(MeshBuilder, ShapesTakeTheCurrentMaterial) {
    MeshBuilder b;
    const uint32_t red = b.addMaterial({1.0f, 0.0f, 0.0f, 1.0f});
    const uint32_t blue = b.addMaterial({0.0f, 0.0f, 1.0f, 0.5f}, {0.2f, 0.2f, 0.2f, 0.0f});
    b.box({1.0f, 1.0f, 1.0f}); // blue: the material just added is current
    b.useMaterial(red);
    b.cylinder(0.5f, 0.5f, 8);
    const TriangleMesh& mesh = b.mesh();
    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_EQ(mesh.materials[blue].diffuse.a, 0.5f);
    EXPECT_EQ(mesh.materials[blue].emissive.a, 1.0f); // the file has no emissive alpha
    ASSERT_EQ(mesh.faces.size(), 12u + 8u * 2u + 8u * 2u);
    for (size_t i = 0; i < mesh.faces.size(); ++i)
        EXPECT_EQ(mesh.faces[i].material, i < 12 ? blue : red) << i;
}

TEST(MeshBuilder, FrameTakesTheAxesWhereTheyAreGiven) {
    const Matrix4 m = frame({0, 0, 1}, {0, 1, 0}, {-1, 0, 0}, {5, 6, 7});
    const Vec3 p = transformPoint({1.0f, 2.0f, 3.0f}, m);
    EXPECT_FLOAT_EQ(p.x, 5.0f - 3.0f);
    EXPECT_FLOAT_EQ(p.y, 6.0f + 2.0f);
    EXPECT_FLOAT_EQ(p.z, 7.0f + 1.0f);
}

} // namespace
} // namespace qv::content
