#include "OutputFolder.h"
#include "RiderContent.h"
#include "assets/MeshLoader.h"
#include "meshes/RiderLayout.h"
#include "support/GeneratedContent.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <sstream>

namespace qv::content {
namespace {

using rider::kDrawScale;

// The boost effect's scale on a boost's first frame, (1^3 + 0.4) x 5.5555553 less one drain.
constexpr float kLargestBoostScale = 7.06f;

struct Box {
    Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::max()};
    Vec3 high{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
              -std::numeric_limits<float>::max()};
    Vec3 size() const { return high - low; }
};

template <typename Visit> void forEachVertex(const MeshData& mesh, Visit visit) {
    for (const MeshSubset& s : mesh.subsets)
        for (const MeshVertex& v : s.vertices)
            visit(v);
}

Box boundsOf(const MeshData& mesh) {
    Box box;
    forEachVertex(mesh, [&](const MeshVertex& v) {
        box.low = {std::min(box.low.x, v.x), std::min(box.low.y, v.y), std::min(box.low.z, v.z)};
        box.high = {std::max(box.high.x, v.x), std::max(box.high.y, v.y), std::max(box.high.z, v.z)};
    });
    return box;
}

// Distance from p to the nearest vertex of the mesh.
float nearestVertex(const MeshData& mesh, const Vec3& p) {
    float best = std::numeric_limits<float>::max();
    forEachVertex(mesh, [&](const MeshVertex& v) { best = std::min(best, length(Vec3{v.x, v.y, v.z} - p)); });
    return best;
}

// The game's meshes as the content tool writes them, loaded the way the game loads them.
class RiderMeshes : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        content_ = std::make_unique<test::GeneratedContent>(
            std::initializer_list<test::GeneratedContent::Generator>{writeRiderMeshes});
    }
    static void TearDownTestSuite() { content_.reset(); }

    static MeshData load(const std::string& name) { return content_->mesh(name); }

    static std::unique_ptr<test::GeneratedContent> content_;
};

std::unique_ptr<test::GeneratedContent> RiderMeshes::content_;

TEST_F(RiderMeshes, EveryFaceIsClockwiseSeenFromOutside) {
    for (const char* name : {"tricycle.x", "tikobody.x", "tikomayu.x", "boost.x"}) {
        const MeshData mesh = load(name);
        size_t faces = 0, turned = 0;
        for (const MeshSubset& s : mesh.subsets) {
            for (size_t i = 0; i + 2 < s.indices.size(); i += 3) {
                const MeshVertex& a = s.vertices[s.indices[i]];
                const MeshVertex& b = s.vertices[s.indices[i + 1]];
                const MeshVertex& c = s.vertices[s.indices[i + 2]];
                const Vec3 face =
                    cross(Vec3{b.x - a.x, b.y - a.y, b.z - a.z}, Vec3{c.x - a.x, c.y - a.y, c.z - a.z});
                const Vec3 normals{a.nx + b.nx + c.nx, a.ny + b.ny + c.ny, a.nz + b.nz + c.nz};
                ++faces;
                turned += dot(face, normals) <= 0.0f ? 1 : 0;
            }
        }
        EXPECT_GT(faces, 100u) << name;
        EXPECT_EQ(turned, 0u) << name;
    }
}

// Sizes in the world follow from the game's cameras: the rider's-eye view looks from 0.2 above
// the ground, the closest chase view from 0.24 half a unit behind, and the target arrow floats
// just above the rider at 0.38.
constexpr float kRidersEyeHeight = 0.2f;
constexpr float kArrowHeight = 0.38f;
constexpr float kChaseDistance = 0.5f;

TEST_F(RiderMeshes, TricycleStandsOnItsWheelsAtTheRidersScale) {
    const Box box = boundsOf(load("tricycle.x"));
    EXPECT_NEAR(box.size().x * kDrawScale, 0.28f, 0.03f);
    EXPECT_NEAR(box.low.y, 0.0f, 0.002f) << "the wheels stand on the ground";
    EXPECT_LT(box.size().z, box.size().x);
    EXPECT_NEAR(box.low.z, -box.high.z, 0.002f) << "symmetric about its middle";
    EXPECT_GT(box.high.x, 0.0f) << "the front wheel is ahead (+x)";
    EXPECT_LT(box.low.x, 0.0f);
}

TEST_F(RiderMeshes, AllThreeWheelsTouchTheGround) {
    const MeshData tricycle = load("tricycle.x");
    const Vec3 contacts[] = {{rider::kFrontHub.x, 0.0f, 0.0f},
                             {rider::kRearAxleX, 0.0f, -rider::kRearTrack},
                             {rider::kRearAxleX, 0.0f, rider::kRearTrack}};
    for (const Vec3& contact : contacts)
        EXPECT_LT(nearestVertex(tricycle, rider::inModel(contact)), 0.01f) << contact.x << " " << contact.z;
}

TEST_F(RiderMeshes, RiderSitsOnTheSeatWithHandsOnTheGripsAndFeetOnThePedals) {
    const MeshData body = load("tikobody.x");
    const float reach = 0.02f; // model units: a hand's or a foot's size
    EXPECT_LT(nearestVertex(body, rider::inModel({rider::kSeat.x, rider::kSeatTop, 0.0f})), reach);
    for (float side : {-1.0f, 1.0f}) {
        EXPECT_LT(nearestVertex(body, rider::inModel(rider::grip(side))), reach) << side;
        EXPECT_LT(nearestVertex(body, rider::inModel(rider::pedal(side))), reach) << side;
    }
}

TEST_F(RiderMeshes, RiderIsAsTallAsTheGamesCamerasExpect) {
    const MeshData body = load("tikobody.x");
    // The eyes are the white material's parts high on the face.
    float eyeTop = 0.0f;
    for (const MeshSubset& s : body.subsets) {
        const Material& m = body.materials[s.materialIndex];
        if (m.diffuse.r < 0.99f || m.diffuse.g < 0.99f || m.diffuse.b < 0.99f)
            continue;
        for (const MeshVertex& v : s.vertices)
            if (v.x > 0.0f && v.y * kDrawScale > 0.15f)
                eyeTop = std::max(eyeTop, v.y * kDrawScale);
    }
    EXPECT_NEAR(eyeTop, kRidersEyeHeight, 0.03f);
    const Box box = boundsOf(body);
    EXPECT_LT(box.high.y * kDrawScale, kArrowHeight - 0.05f) << "the arrow floats above the rider's head";
    EXPECT_GT(box.high.y * kDrawScale, kRidersEyeHeight);
}

TEST_F(RiderMeshes, BrowsSitOnTheHeadAboveTheEyes) {
    const MeshData brows = load("tikomayu.x");
    ASSERT_FALSE(brows.subsets.empty());
    const Vec3 centre = rider::inModel(rider::kBodyCentre);
    const Vec3 radii = rider::inModel(rider::kBodyRadii);
    int left = 0, right = 0;
    forEachVertex(brows, [&](const MeshVertex& v) {
        const Vec3 d = Vec3{v.x, v.y, v.z} - centre;
        const float inside = std::hypot(d.x / radii.x, d.y / radii.y, d.z / radii.z);
        EXPECT_GT(inside, 0.95f) << "a brow sinks into the head";
        EXPECT_LT(inside, 1.15f) << "a brow floats off the head";
        EXPECT_GT(v.x, centre.x) << "on the face, not the back of the head";
        EXPECT_GT(d.y, 0.2f * radii.y) << "above the middle of the face";
        (v.z < 0.0f ? left : right) += 1;
    });
    EXPECT_GT(left, 0);
    EXPECT_GT(right, 0);
}

TEST_F(RiderMeshes, BoostFlameWrapsTheRiderAndTrailsBackwards) {
    const MeshData boost = load("boost.x");
    const Box box = boundsOf(boost);
    const Box tricycle = boundsOf(load("tricycle.x"));
    const Box body = boundsOf(load("tikobody.x"));
    // Around the origin; at its largest it wraps the whole rider yet stays short of the chase
    // camera behind, which would otherwise be inside it and see nothing (faces are culled).
    EXPECT_LT(box.low.x, 0.0f);
    EXPECT_GT(box.high.x, 0.0f);
    EXPECT_GT(box.high.x * kLargestBoostScale, tricycle.high.x * kDrawScale);
    EXPECT_GT(box.high.y * kLargestBoostScale, body.high.y * kDrawScale);
    EXPECT_LT(-box.low.x * kLargestBoostScale, kChaseDistance);
    EXPECT_GT(-box.low.x, box.high.x) << "the tail trails further back than the nose reaches";
    forEachVertex(boost, [&](const MeshVertex& v) {
        ASSERT_GE(v.u, 0.0f);
        ASSERT_LE(v.u, 1.0f);
        ASSERT_GE(v.v, 0.0f);
        ASSERT_LE(v.v, 1.0f);
        if (v.v < 0.05f) {
            EXPECT_GT(v.x, 0.0f) << "the flame's nose (v = 0) is ahead";
        }
        if (v.v > 0.95f) {
            EXPECT_LT(v.x, 0.0f) << "its tail (v = 1) is behind";
        }
    });
}

} // namespace
} // namespace qv::content
