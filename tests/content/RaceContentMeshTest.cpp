#include "OutputFolder.h"
#include "RaceContent.h"
#include "assets/MeshLoader.h"
#include "meshes/StrollenMesh.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <sstream>

namespace qv::content {
namespace {

// The game draws the target 12 times its modelled size around its goal point, which lies 0.6
// above the ground, and the walker 8 times its size, lifted 0.2 above the water.
constexpr float kGoalScale = 12.0f;
constexpr float kGoalLift = 0.6f;

struct Box {
    Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::max()};
    Vec3 high{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
              -std::numeric_limits<float>::max()};

    void add(const MeshVertex& v) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    Vec3 size() const { return high - low; }
    Vec3 middle() const { return (low + high) * 0.5f; }
};

float brightest(const ColorValue& c) {
    return std::max({c.r, c.g, c.b});
}

float saturation(const ColorValue& c) {
    const float top = brightest(c);
    return top > 0.0f ? (top - std::min({c.r, c.g, c.b})) / top : 0.0f;
}

// The target as the content tool writes it, loaded the way the game loads it.
class StrollenFile : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<test::TempDir>();
        std::ostringstream log;
        OutputFolder out(dir_->path().string(), log);
        const TextRenderer text;
        const Synth synth(22050.0f);
        GeneratorContext context{out, text, synth};
        writeRaceMeshes(context);
        mesh_ = loadMeshFile(dir_->file("x/strollen.x"));
    }
    static void TearDownTestSuite() { dir_.reset(); }

    static Box bounds(const std::function<bool(const Material&)>& keep = {}) {
        Box box;
        for (const MeshSubset& s : mesh_->subsets)
            if (!keep || keep(mesh_->materials[s.materialIndex]))
                for (const MeshVertex& v : s.vertices)
                    box.add(v);
        return box;
    }

    static std::unique_ptr<test::TempDir> dir_;
    static std::optional<MeshData> mesh_;
};

std::unique_ptr<test::TempDir> StrollenFile::dir_;
std::optional<MeshData> StrollenFile::mesh_;

TEST_F(StrollenFile, LoadsAsAMeshWithOneSubsetPerMaterial) {
    ASSERT_TRUE(mesh_.has_value());
    EXPECT_GE(mesh_->materials.size(), 6u) << "colourful: many distinct parts";
    std::set<uint32_t> used;
    size_t triangles = 0;
    for (const MeshSubset& s : mesh_->subsets) {
        used.insert(s.materialIndex);
        triangles += s.indices.size() / 3;
    }
    EXPECT_EQ(used.size(), mesh_->materials.size()) << "every material is drawn";
    EXPECT_GT(triangles, 1000u);
    EXPECT_LT(triangles, 40000u) << "two copies are drawn every frame";
}

TEST_F(StrollenFile, IsATenthOfAUnitTallAndCentredOnItsOrigin) {
    ASSERT_TRUE(mesh_.has_value());
    const Box box = bounds();
    EXPECT_NEAR(box.size().y, kStrollenHeight, 1e-4f);
    EXPECT_NEAR(box.middle().x, 0.0f, 1e-5f);
    EXPECT_NEAR(box.middle().y, 0.0f, 1e-5f);
    EXPECT_NEAR(box.middle().z, 0.0f, 1e-5f);
    // Drawn for the goal it stands 1.2 tall with its feet on the ground under its goal point.
    EXPECT_NEAR(box.low.y * kGoalScale + kGoalLift, 0.0f, 1e-3f);
    EXPECT_NEAR(box.high.y * kGoalScale, 0.6f, 1e-3f);
    // A figure, not a pole or a blob: narrower than tall but with a body to hit.
    EXPECT_GT(box.size().z, 0.4f * box.size().y);
    EXPECT_LT(box.size().z, 0.9f * box.size().y);
    EXPECT_LT(box.size().x, box.size().z) << "thinner front to back than across";
}

TEST_F(StrollenFile, EveryFaceIsClockwiseSeenFromOutside) {
    ASSERT_TRUE(mesh_.has_value());
    size_t turned = 0;
    for (const MeshSubset& s : mesh_->subsets) {
        for (size_t i = 0; i + 2 < s.indices.size(); i += 3) {
            const MeshVertex& a = s.vertices[s.indices[i]];
            const MeshVertex& b = s.vertices[s.indices[i + 1]];
            const MeshVertex& c = s.vertices[s.indices[i + 2]];
            const Vec3 face =
                cross(Vec3{b.x - a.x, b.y - a.y, b.z - a.z}, Vec3{c.x - a.x, c.y - a.y, c.z - a.z});
            const Vec3 normals{a.nx + b.nx + c.nx, a.ny + b.ny + c.ny, a.nz + b.nz + c.nz};
            turned += dot(face, normals) <= 0.0f ? 1 : 0;
        }
    }
    EXPECT_EQ(turned, 0u);
}

TEST_F(StrollenFile, ItsFaceLooksAlongPlusXHighUpOnTheFigure) {
    ASSERT_TRUE(mesh_.has_value());
    // The pupils are the darkest paint.
    const Material* darkest = &mesh_->materials.front();
    for (const Material& m : mesh_->materials)
        if (brightest(m.diffuse) < brightest(darkest->diffuse))
            darkest = &m;
    const Box pupils = bounds([darkest](const Material& m) { return &m == darkest; });
    const Box all = bounds();
    EXPECT_LT(brightest(darkest->diffuse), 0.25f);
    EXPECT_GT(pupils.low.x, 0.5f * all.high.x) << "on the front, not the back";
    EXPECT_GT(pupils.low.y, all.low.y + 0.55f * all.size().y) << "in the upper half: a head";
    EXPECT_LT(pupils.high.y, all.high.y - 0.15f * all.size().y) << "below the top of the cap";
    EXPECT_LT(pupils.low.z, 0.0f) << "two eyes, one either side";
    EXPECT_GT(pupils.high.z, 0.0f);
}

TEST_F(StrollenFile, PaintsAreOpaqueBrightAndMostlyVivid) {
    ASSERT_TRUE(mesh_.has_value());
    int vivid = 0;
    for (const Material& m : mesh_->materials) {
        EXPECT_FLOAT_EQ(m.diffuse.a, 1.0f) << "alpha comes from the diffuse colour; the figure is solid";
        vivid += brightest(m.diffuse) >= 0.9f && saturation(m.diffuse) >= 0.6f ? 1 : 0;
    }
    EXPECT_GE(vivid, 5);
    // The biggest part, the one that carries the silhouette, is a strong colour.
    const MeshSubset* largest = &mesh_->subsets.front();
    for (const MeshSubset& s : mesh_->subsets)
        if (s.indices.size() > largest->indices.size())
            largest = &s;
    const ColorValue& main = mesh_->materials[largest->materialIndex].diffuse;
    EXPECT_GE(brightest(main), 0.9f);
}

} // namespace
} // namespace qv::content
