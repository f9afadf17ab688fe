#include "assets/MeshLoader.h"
#include "BinaryXWriter.h"
#include "XFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

namespace qv {
namespace {

using namespace qv::test;

Vec3 positionOf(const MeshVertex& v) {
    return {v.x, v.y, v.z};
}

Vec3 normalOf(const MeshVertex& v) {
    return {v.nx, v.ny, v.nz};
}

// Which cube face a normal belongs to; -1 for none.
int faceWithNormal(const Vec3& n) {
    for (int f = 0; f < cube::kFaceCount; ++f)
        if (n == Vec3{cube::kNormals[f][0], cube::kNormals[f][1], cube::kNormals[f][2]})
            return f;
    return -1;
}

// Bits of the corner at p, or -1 when p is not a corner.
int cornerAt(const Vec3& p) {
    int corner = 0;
    const float* coordinates[3] = {cube::kCornerX, cube::kCornerY, cube::kCornerZ};
    const float values[3] = {p.x, p.y, p.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (values[axis] == coordinates[axis][1])
            corner |= 1 << axis;
        else if (values[axis] != coordinates[axis][0])
            return -1;
    }
    return corner;
}

// The UV the file gives each corner.
std::pair<float, float> cubeUv(int corner) {
    const int x = corner & 1, y = (corner >> 1) & 1, z = (corner >> 2) & 1;
    return {0.125f + 0.5f * x + 0.25f * z, 0.0625f + 0.5f * y + 0.125f * z};
}

// Faces drawn by a subset, checking each triangle on the way: corners, UVs, one face normal
// shared by its three vertices, and the file's clockwise winding (cross product along the normal).
std::set<int> checkedFacesOf(const MeshSubset& subset) {
    std::set<int> faces;
    EXPECT_EQ(subset.indices.size() % 3, 0u);
    for (size_t t = 0; t + 2 < subset.indices.size(); t += 3) {
        const MeshVertex* v[3];
        for (int k = 0; k < 3; ++k) {
            EXPECT_LT(subset.indices[t + k], subset.vertices.size());
            v[k] = &subset.vertices.at(subset.indices[t + k]);
            const int corner = cornerAt(positionOf(*v[k]));
            EXPECT_NE(corner, -1) << "triangle " << t / 3;
            EXPECT_EQ(std::make_pair(v[k]->u, v[k]->v), cubeUv(corner));
            EXPECT_EQ(normalOf(*v[k]), normalOf(*v[0]));
        }
        const Vec3 n = normalOf(*v[0]);
        const Vec3 winding =
            cross(positionOf(*v[1]) - positionOf(*v[0]), positionOf(*v[2]) - positionOf(*v[0]));
        EXPECT_GT(dot(winding, n), 0.0f) << "triangle " << t / 3 << " is wound the wrong way";
        faces.insert(faceWithNormal(n));
    }
    return faces;
}

const std::set<int> kPaintFaces{1, 3, 5};
const std::set<int> kChromeFaces{0, 2, 4};

const MeshSubset* subsetUsing(const MeshData& mesh, uint32_t material) {
    for (const auto& subset : mesh.subsets)
        if (subset.materialIndex == material)
            return &subset;
    return nullptr;
}

Material paint() {
    Material m;
    m.diffuse = {0.8f, 0.25f, 0.1f, 0.5f};
    m.power = 12.5f;
    m.specular = {0.25f, 0.5f, 0.75f, 1.0f};
    m.emissive = {0.125f, 0.0625f, 0.0f, 1.0f};
    return m;
}

Material chrome() {
    Material m;
    m.diffuse = {0.2f, 0.4f, 0.6f, 1.0f};
    m.power = 40.0f;
    m.specular = {1.0f, 1.0f, 1.0f, 1.0f};
    m.emissive = {0.0f, 0.0f, 0.0f, 1.0f};
    return m;
}

// Paint is material 0; Chrome is at chromeIndex.
void expectPaintAndChrome(const MeshData& mesh, uint32_t chromeIndex) {
    ASSERT_GT(mesh.materials.size(), chromeIndex);
    EXPECT_EQ(mesh.materials[0], paint());
    EXPECT_EQ(mesh.materials[chromeIndex], chrome());
    ASSERT_EQ(mesh.subsets.size(), 2u);
    const MeshSubset* paintSubset = subsetUsing(mesh, 0);
    const MeshSubset* chromeSubset = subsetUsing(mesh, chromeIndex);
    ASSERT_TRUE(paintSubset && chromeSubset);
    EXPECT_EQ(checkedFacesOf(*paintSubset), kPaintFaces);
    EXPECT_EQ(checkedFacesOf(*chromeSubset), kChromeFaces);
    // Three quads of four distinct corners each, identical corners joined.
    EXPECT_EQ(paintSubset->vertices.size(), 12u);
    EXPECT_EQ(paintSubset->indices.size(), 18u);
}

class MeshLoaderFiles : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(MeshLoaderFiles, CubeComesOutAsWritten) {
    auto mesh = loadMeshFile(dir.write("cube.x", cubeWithInlineMaterials()));
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->materials.size(), 2u);
    expectPaintAndChrome(*mesh, 1);
}

TEST_F(MeshLoaderFiles, SubsetsFollowTheirMaterialIndexNotTheirPosition) {
    // Spare sits between Paint and Chrome and no face uses it: the second subset is material 2.
    auto mesh = loadMeshFile(dir.write("cube.x", cubeWithUnusedMaterial()));
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->materials.size(), 3u);
    EXPECT_EQ(mesh->materials[1].diffuse, (ColorValue{0.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_EQ(subsetUsing(*mesh, 1), nullptr);
    expectPaintAndChrome(*mesh, 2);
}

TEST_F(MeshLoaderFiles, SubsetsMayComeOutOfMaterialOrder) {
    auto mesh = loadMeshFile(dir.write("parts.x", twoPartsOutOfOrder()));
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->materials.size(), 2u);
    EXPECT_EQ(mesh->materials[0], paint());
    EXPECT_EQ(mesh->materials[1], chrome());
    ASSERT_EQ(mesh->subsets.size(), 2u);
    EXPECT_EQ(mesh->subsets[0].materialIndex, 1u);
    EXPECT_EQ(mesh->subsets[1].materialIndex, 0u);
    // Each quad keeps its own face: Chrome the -z face, Paint the +x face; no UVs means zero UVs.
    for (const auto& [subset, normal] :
         {std::pair{&mesh->subsets[0], Vec3{0, 0, -1}}, std::pair{&mesh->subsets[1], Vec3{1, 0, 0}}}) {
        EXPECT_EQ(subset->indices.size(), 6u);
        for (const MeshVertex& v : subset->vertices) {
            EXPECT_EQ(normalOf(v), normal);
            EXPECT_EQ(std::make_pair(v.u, v.v), std::make_pair(0.0f, 0.0f));
        }
    }
}

TEST_F(MeshLoaderFiles, FrameTransformsAreAppliedChildFirst) {
    auto mesh = loadMeshFile(dir.write("frames.x", triangleInFrames()));
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->subsets.size(), 1u);
    const auto& s = mesh->subsets[0];
    ASSERT_EQ(s.indices.size(), 3u);
    const Vec3 expected[3] = {{10, 20, 28}, {10, 22, 28}, {12, 20, 28}};
    for (int k = 0; k < 3; ++k) {
        const MeshVertex& v = s.vertices[s.indices[k]];
        EXPECT_FLOAT_EQ(v.x, expected[k].x) << k;
        EXPECT_FLOAT_EQ(v.y, expected[k].y) << k;
        EXPECT_FLOAT_EQ(v.z, expected[k].z) << k;
        // The normal turns with the frame and stays unit length despite the scaling.
        EXPECT_NEAR(v.nx, 0.0f, 1e-6f);
        EXPECT_NEAR(v.ny, 0.0f, 1e-6f);
        EXPECT_FLOAT_EQ(v.nz, -1.0f);
    }
    // No material in the file: one plain grey default stands in, so the mesh still draws.
    ASSERT_EQ(mesh->materials.size(), 1u);
    EXPECT_EQ(mesh->materials[0].diffuse, (ColorValue{0.5f, 0.5f, 0.5f, 1.0f}));
}

TEST_F(MeshLoaderFiles, BinaryFormatGivesTheSameData) {
    const std::vector<float> material{0.9f, 0.1f, 0.3f, 0.7f, 5.0f, 0.2f, 0.3f, 0.4f, 0.05f, 0.06f, 0.07f};
    auto mesh = loadMeshFile(dir.write("tri.x", binaryTriangle(material)));
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->materials.size(), 1u);
    const Material& m = mesh->materials[0];
    EXPECT_EQ(m.diffuse, (ColorValue{0.9f, 0.1f, 0.3f, 0.7f}));
    EXPECT_EQ(m.power, 5.0f);
    EXPECT_EQ(m.specular, (ColorValue{0.2f, 0.3f, 0.4f, 1.0f}));
    EXPECT_EQ(m.emissive, (ColorValue{0.05f, 0.06f, 0.07f, 1.0f}));
    ASSERT_EQ(mesh->subsets.size(), 1u);
    const auto& s = mesh->subsets[0];
    ASSERT_EQ(s.indices.size(), 3u);
    const MeshVertex expected[3] = {
        {0, 0, 5, 0, 0, -1, 0, 0}, {0, 1, 5, 0, 0, -1, 0, 1}, {1, 0, 5, 0, 0, -1, 1, 0}};
    for (int k = 0; k < 3; ++k) {
        const MeshVertex& v = s.vertices[s.indices[k]];
        EXPECT_EQ(positionOf(v), positionOf(expected[k])) << k;
        EXPECT_EQ(normalOf(v), normalOf(expected[k])) << k;
        EXPECT_EQ(std::make_pair(v.u, v.v), std::make_pair(expected[k].u, expected[k].v)) << k;
    }
}

TEST_F(MeshLoaderFiles, FindsTheFileWhateverTheCaseOfItsPath) {
    dir.write("Data/x/Cube.x", cubeWithInlineMaterials());
    ScopedWorkingDir cwd(dir.path());
    EXPECT_TRUE(loadMeshFile("./data/X/cube.x"));
}

TEST_F(MeshLoaderFiles, MissingEmptyOrGarbledFilesAreRejected) {
    const std::string valid = cubeWithInlineMaterials();
    EXPECT_FALSE(loadMeshFile(dir.file("missing.x")));
    EXPECT_FALSE(loadMeshFile(dir.path().string()));
    EXPECT_FALSE(loadMeshFile(dir.write("empty.x", "")));
    EXPECT_FALSE(loadMeshFile(dir.write("header.x", "xof 0303txt 0032\n")));
    EXPECT_FALSE(loadMeshFile(dir.write("noise.x", "xof 0303txt 0032\n}}{{ ;;; Mesh Mesh 12 {")));
    EXPECT_FALSE(loadMeshFile(dir.write("truncated.x", valid.substr(0, valid.size() / 2))));
    EXPECT_FALSE(loadMeshFile(dir.write("badversion.x", "xof 0303zip 0032\n" + valid.substr(17))));
    // Another format's text is not a .x mesh, whatever the file is called.
    EXPECT_FALSE(loadMeshFile(dir.write("obj.x", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n")));
    // A frame without any mesh has nothing to draw.
    EXPECT_FALSE(loadMeshFile(dir.write("frame.x", "xof 0303txt 0032\nFrame Empty {\n}\n")));
}

// Assimp sized its arrays by a mesh's stated counts before reading them: one count of 400
// million took 4.7 GB and 14 s. Counts the file cannot hold are refused first, with the reason.
TEST_F(MeshLoaderFiles, CountsTheFileCannotHoldAreRefusedBeforeParsing) {
    const std::string valid = cubeWithInlineMaterials();
    const size_t count = valid.find("Mesh Cube {") + std::string("Mesh Cube {").size();
    std::string problem;
    std::string huge = valid;
    huge.replace(valid.find("8;", count), 1, "400000000");
    EXPECT_FALSE(loadMeshFile(dir.write("huge.x", huge), &problem));
    EXPECT_NE(problem.find("a count of 400000000"), std::string::npos) << problem;
    std::string negative = valid;
    negative.replace(valid.find("8;", count), 1, "-8");
    EXPECT_FALSE(loadMeshFile(dir.write("negative.x", negative), &problem));
    EXPECT_NE(problem.find("negative"), std::string::npos) << problem;
    // Numbers in comments, names and real numbers are no counts.
    EXPECT_TRUE(loadMeshFile(dir.write("comment.x", valid + "// 99999999999\n# -5\n"), &problem)) << problem;

    const std::string triangle = binaryTriangle({1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(loadMeshFile(dir.write("tri.x", triangle)));
    std::string value = triangle;
    value[34] = '\xFF'; // the vertex count 3, its list's first value, becomes 4 billion and more
    value[35] = value[36] = value[37] = '\xEE';
    EXPECT_FALSE(loadMeshFile(dir.write("value.x", value), &problem));
    EXPECT_NE(problem.find("a count of 4008636159"), std::string::npos) << problem;
    BinaryXWriter list;
    list.word(0x07);
    list.dword(0x40000000);
    EXPECT_FALSE(loadMeshFile(dir.write("list.x", triangle + list.bytes().substr(16)), &problem));
    EXPECT_NE(problem.find("past the end"), std::string::npos) << problem;
    EXPECT_FALSE(loadMeshFile(dir.write("packed.x", "xof 0303tzip0032" + valid.substr(16)), &problem));
    EXPECT_NE(problem.find("not text or binary"), std::string::npos) << problem;
}

} // namespace
} // namespace qv
