#include "assets/MeshLoader.h"
#include "formats/XMeshWriter.h"
#include "meshes/MeshBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace qv::content {
namespace {

// A corner of a triangle as the game sees it.
bool sameVertex(const MeshVertex& a, const MeshVertex& b) {
    constexpr float kTolerance = 2e-6f;
    const float av[] = {a.x, a.y, a.z, a.nx, a.ny, a.nz, a.u, a.v};
    const float bv[] = {b.x, b.y, b.z, b.nx, b.ny, b.nz, b.u, b.v};
    for (int i = 0; i < 8; ++i)
        if (std::fabs(av[i] - bv[i]) > kTolerance)
            return false;
    return true;
}

bool nearColour(const ColorValue& a, const ColorValue& b) {
    return std::fabs(a.r - b.r) < 1e-6f && std::fabs(a.g - b.g) < 1e-6f && std::fabs(a.b - b.b) < 1e-6f &&
           std::fabs(a.a - b.a) < 1e-6f;
}

struct Triangle {
    MeshVertex corners[3];
    uint32_t material;
};

// The same triangle, wound the same way: any rotation of its corners, never a reversal.
bool sameTriangle(const Triangle& a, const Triangle& b) {
    if (a.material != b.material)
        return false;
    for (int shift = 0; shift < 3; ++shift) {
        bool all = true;
        for (int k = 0; k < 3; ++k)
            all = all && sameVertex(a.corners[k], b.corners[(k + shift) % 3]);
        if (all)
            return true;
    }
    return false;
}

// Positions, normals and uvs as they come out of the file: rounded to its six decimals.
MeshVertex asWritten(const MeshVertex& v) {
    auto r = [](float x) { return static_cast<float>(std::round(static_cast<double>(x) * 1e6) / 1e6); };
    return {r(v.x), r(v.y), r(v.z), r(v.nx), r(v.ny), r(v.nz), r(v.u), r(v.v)};
}

std::vector<Triangle> trianglesOf(const TriangleMesh& mesh) {
    std::vector<Triangle> out;
    for (const TriangleMesh::Face& f : mesh.faces)
        out.push_back({{asWritten(mesh.vertices[f.corners[0]]), asWritten(mesh.vertices[f.corners[1]]),
                        asWritten(mesh.vertices[f.corners[2]])},
                       f.material});
    return out;
}

std::vector<Triangle> trianglesOf(const MeshData& data) {
    std::vector<Triangle> out;
    for (const MeshSubset& s : data.subsets)
        for (size_t i = 0; i + 2 < s.indices.size(); i += 3)
            out.push_back(
                {{s.vertices[s.indices[i]], s.vertices[s.indices[i + 1]], s.vertices[s.indices[i + 2]]},
                 s.materialIndex});
    return out;
}

// Two parts in two materials, one of them see-through and glowing.
TriangleMesh sampleMesh() {
    MeshBuilder b;
    b.addMaterial({0.9f, 0.2f, 0.1f, 1.0f});
    b.box({0.3f, 0.1f, 0.2f}, Matrix4::translation(0.0f, 0.1f, 0.0f));
    b.addMaterial({0.1f, 0.4f, 0.8f, 0.5f}, {0.25f, 0.5f, 0.125f, 1.0f});
    b.ellipsoid({0.2f, 0.1f, 0.15f}, 8, 6,
                Matrix4::rotationY(0.4f) * Matrix4::translation(0.1f, 0.4f, -0.2f));
    return b.mesh();
}

std::optional<MeshData> roundTrip(const TriangleMesh& mesh, test::TempDir& dir) {
    const std::vector<uint8_t> bytes = encodeXMesh(mesh, "Sample");
    return loadMeshFile(dir.write("sample.x", std::string(bytes.begin(), bytes.end())));
}

TEST(XMeshWriter, WritesATextXFileWithEveryPartOfAMesh) {
    const std::string text = writeXMesh(sampleMesh(), "Sample");
    EXPECT_EQ(text.rfind("xof 0303txt 0032\n", 0), 0u);
    for (const char* block : {"Frame Sample {", "Mesh ", "MeshNormals {", "MeshTextureCoords {",
                              "MeshMaterialList {", "Material {"})
        EXPECT_NE(text.find(block), std::string::npos) << block;
}

TEST(XMeshWriter, LoadsBackWithTheSameTrianglesWindingAndAttributes) {
    test::TempDir dir;
    const TriangleMesh mesh = sampleMesh();
    const std::optional<MeshData> loaded = roundTrip(mesh, dir);
    ASSERT_TRUE(loaded.has_value());
    const std::vector<Triangle> written = trianglesOf(mesh);
    std::vector<Triangle> read = trianglesOf(*loaded);
    ASSERT_EQ(read.size(), written.size());
    // Every triangle written comes back once, with its material and its corners in the same turn.
    std::vector<bool> used(read.size(), false);
    for (const Triangle& w : written) {
        bool found = false;
        for (size_t i = 0; i < read.size() && !found; ++i) {
            if (!used[i] && sameTriangle(w, read[i]))
                used[i] = found = true;
        }
        EXPECT_TRUE(found) << "a triangle of material " << w.material << " is missing or turned over";
    }
}

TEST(XMeshWriter, MaterialsComeBackWithColourAlphaPowerAndEmissive) {
    test::TempDir dir;
    const TriangleMesh mesh = sampleMesh();
    const std::optional<MeshData> loaded = roundTrip(mesh, dir);
    ASSERT_TRUE(loaded.has_value());
    ASSERT_EQ(loaded->materials.size(), mesh.materials.size());
    for (size_t i = 0; i < mesh.materials.size(); ++i) {
        const Material& w = mesh.materials[i];
        const Material& r = loaded->materials[i];
        EXPECT_TRUE(nearColour(r.diffuse, w.diffuse)) << i;
        EXPECT_TRUE(nearColour(r.emissive, w.emissive)) << i;
        EXPECT_TRUE(nearColour(r.specular, w.specular)) << i;
        EXPECT_NEAR(r.power, w.power, 1e-5f) << i;
    }
}

} // namespace
} // namespace qv::content
