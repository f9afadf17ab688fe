#include "world/BlobShadow.h"

#include "core/FatalError.h"
#include "formats/DdsWriter.h"
#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace qv::test {
namespace {

// The octagon's corners around the centre, the first repeated to close the fan.
constexpr float kAxis = 0.11f, kDiagonal = 0.0781f;
const Vec2 kCorners[10] = {{0, 0},
                           {kAxis, 0},
                           {kDiagonal, -kDiagonal},
                           {0, -kAxis},
                           {-kDiagonal, -kDiagonal},
                           {-kAxis, 0},
                           {-kDiagonal, kDiagonal},
                           {0, kAxis},
                           {kDiagonal, kDiagonal},
                           {kAxis, 0}};

class BlobShadowTest : public ::testing::Test {
  protected:
    // A demo rider at (50, ground, 50) after the given ride, and its shadow (a 2 x 3 picture).
    void build(const Heights& heights, const std::vector<ControlRecord>& ride = {}) {
        shadow.reset(); // the old ones hold on to the old workspace
        rider.reset();
        ws.reset(); // it restores the working folder it found
        ws = std::make_unique<RiderWorkspace>();
        ws->buildWorld(heights);
        ws->writeDemo(ride);
        Image picture;
        picture.width = 2;
        picture.height = 3;
        picture.pixels.assign(6, 0x80000000u);
        content::writeDds(ws->rig.path("Data/tex/shadow.dds"), picture);
        rider = ws->demoRider();
        for (size_t k = 0; k < ride.size(); ++k)
            rider->update();
        shadow = std::make_unique<BlobShadow>(ws->rig.graphics, ws->rig.content, *rider, *ws->field);
    }
    const RecordingRenderDevice::DrawCall& drawn() {
        ws->rig.graphics.clearLog();
        shadow->draw();
        return ws->rig.graphics.draws().back();
    }
    // Every corner at its own ground height plus the lift, around the rider's x and z.
    void expectOnGround(const RecordingRenderDevice::DrawCall& call) {
        const Vec3& p = rider->position();
        for (size_t i = 0; i < std::size(kCorners); ++i) {
            const WorldVertex& v = call.vertex<WorldVertex>(i);
            EXPECT_NEAR(v.x, p.x + kCorners[i].x, 1e-4f) << "vertex " << i;
            EXPECT_NEAR(v.z, p.z + kCorners[i].y, 1e-4f) << "vertex " << i;
            EXPECT_NEAR(v.y, ws->field->heightAt(v.x, v.z) + 0.0011f, 1e-5f) << "vertex " << i;
        }
    }

    std::unique_ptr<RiderWorkspace> ws;
    std::unique_ptr<Rider> rider;
    std::unique_ptr<BlobShadow> shadow;
};

TEST_F(BlobShadowTest, FlatGroundGivesAFlatTexturedOctagonFan) {
    build(flatAt(1.0f));
    const RecordingRenderDevice::DrawCall& call = drawn();
    EXPECT_EQ(call.type, PrimitiveType::TriangleFan);
    EXPECT_EQ(call.primitiveCount, 8u);
    EXPECT_EQ(call.vertexCount, 10u);
    EXPECT_EQ(call.stride, 24u);
    EXPECT_EQ(call.world, Matrix4::identity());
    EXPECT_EQ(call.texture, &shadow->texture());
    expectOnGround(call);
    for (size_t i = 0; i < 10; ++i) {
        const WorldVertex& v = call.vertex<WorldVertex>(i);
        EXPECT_FLOAT_EQ(v.y, 1.0011f);
        EXPECT_EQ(v.diffuse, 0x70000000u);
        EXPECT_FLOAT_EQ(v.u, 0.9f);
        EXPECT_FLOAT_EQ(v.v, i == 0 ? 0.0f : 0.9f);
    }
    // Only its own transform and texture, then the draw; the phase owns every other state.
    const auto& events = ws->rig.graphics.events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].op, RecordingRenderDevice::Op::Transform);
    EXPECT_EQ(events[1].op, RecordingRenderDevice::Op::Texture);
    EXPECT_EQ(events[2].op, RecordingRenderDevice::Op::Draw);
}

TEST_F(BlobShadowTest, FoldsWithSlopesAndRidges) {
    const Heights shapes[] = {[](int i, int) { return 0.5f + 0.1f * static_cast<float>(i); },
                              [](int i, int) { return 2.0f - 0.2f * static_cast<float>(std::abs(i - 50)); }};
    for (const Heights& shape : shapes) {
        build(shape);
        const RecordingRenderDevice::DrawCall& call = drawn();
        expectOnGround(call);
        // Both side corners differ from the centre: on the ridge they both lie lower.
        EXPECT_GT(std::fabs(call.vertex<WorldVertex>(1).y - call.vertex<WorldVertex>(0).y), 0.01f);
        EXPECT_GT(std::fabs(call.vertex<WorldVertex>(5).y - call.vertex<WorldVertex>(0).y), 0.01f);
    }
    EXPECT_NEAR(drawn().vertex<WorldVertex>(5).y, 2.0f - 0.022f + 0.0011f, 1e-5f);
}

TEST_F(BlobShadowTest, StaysOnTheGroundUnderAJumpingRider) {
    ControlRecord leap = pedalling();
    leap.jump = 1;
    std::vector<ControlRecord> ride = repeat(pedalling(), 30);
    append(ride, leap, 1);
    append(ride, pedalling(), 4);
    build(flatAt(1.0f), ride);
    ASSERT_EQ(rider->state(), RiderState::Air);
    ASSERT_GT(rider->position().y, 1.05f);
    ASSERT_GT(rider->position().x, 50.5f);
    const RecordingRenderDevice::DrawCall& call = drawn();
    expectOnGround(call);
    EXPECT_FLOAT_EQ(call.vertex<WorldVertex>(0).y, 1.0011f);
}

TEST_F(BlobShadowTest, LoadsItsPictureOrFailsWithTheTextureError) {
    build(flatAt(1.0f));
    EXPECT_EQ(shadow->texture().width(), 2u);
    EXPECT_EQ(shadow->texture().height(), 3u);
    ws->rig.removeFile("Data/tex/shadow.dds");
    try {
        BlobShadow missing(ws->rig.graphics, ws->rig.content, *rider, *ws->field);
        FAIL() << "built without its picture";
    } catch (const FatalError& error) {
        EXPECT_STREQ(error.what(), "ERROR : Create Direct3DTexture");
    }
}

} // namespace
} // namespace qv::test
