#include "world/RippleSet.h"

#include "core/FatalError.h"
#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qv::test {
namespace {

constexpr float kLevel = 0.445f;
const Vec3 kInWater{40.0f, 0.2f, 60.0f};
const WorldVertex kCorners[] = {
    {-1, 0, -1, 0, 0, 0}, {-1, 0, 1, 0, 1, 0}, {1, 0, -1, 0, 0, 1}, {1, 0, 1, 0, 1, 1}};

class RippleSetTest : public ::testing::Test {
  protected:
    RippleSetTest() {
        ws.buildWorld(flatAt(1.0f));
        ws.writeDemo({});
        rider = ws.demoRider();
        ripples = make("");
    }
    std::unique_ptr<RippleSet> make(const std::string& effectLines) {
        ws.writeFile("Pedalon.ini", "[PERFORMANCE]\nGROUNDTEXTURE=0\n[EFFECT]\n" + effectLines);
        return std::make_unique<RippleSet>(ws.rig.graphics, ws.rig.content, *ws.water, ws.rig.options());
    }
    size_t activeCount() const {
        size_t n = 0;
        for (const Ripple& r : ripples->ripples())
            n += r.active ? 1 : 0;
        return n;
    }
    // Frames (from 0) on which a ring started, over a run of spawn-then-update frames.
    std::vector<int> startFrames(float speed, int frames) {
        std::vector<int> started;
        for (int f = 0; f < frames; ++f) {
            const size_t before = activeCount();
            ripples->spawn(kInWater, speed);
            if (activeCount() > before)
                started.push_back(f);
            ripples->update();
        }
        return started;
    }
    const std::vector<RecordingRenderDevice::DrawCall>& drawn() {
        ws.rig.graphics.clearLog();
        ripples->draw();
        return ws.rig.graphics.draws();
    }

    RiderWorkspace ws;
    std::unique_ptr<Rider> rider;
    std::unique_ptr<RippleSet> ripples;
};

std::vector<int> everyNth(int first, int step, int frames) {
    std::vector<int> out;
    for (int f = first; f < frames; f += step)
        out.push_back(f);
    return out;
}

TEST_F(RippleSetTest, FasterRidersStartRingsMoreOften) {
    EXPECT_EQ(startFrames(0.1f, 40), everyNth(6, 6, 40)); // 10 - trunc(4.5)
    ripples = make("");
    EXPECT_EQ(startFrames(0.022f, 40), everyNth(10, 10, 40));
    ripples = make("");
    EXPECT_EQ(startFrames(0.15f, 40), everyNth(4, 4, 40)); // 10 - trunc(6.75)
    ripples = make("");
    EXPECT_EQ(startFrames(0.2f, 40), everyNth(1, 1, 40));
    ripples = make("");
    EXPECT_EQ(startFrames(5.0f, 40), everyNth(0, 1, 40));
}

TEST_F(RippleSetTest, TooSlowOrAboveTheWaterStartsNothing) {
    EXPECT_TRUE(startFrames(0.021f, 60).empty());
    EXPECT_TRUE(startFrames(-0.3f, 60).empty());
    ripples->spawn({40.0f, kLevel + 0.001f, 60.0f}, 0.5f);
    EXPECT_EQ(activeCount(), 0u);
    ripples->spawn({40.0f, kLevel, 60.0f}, 0.5f);
    EXPECT_EQ(activeCount(), 1u);
    EXPECT_EQ(ripples->framesSinceSpawn(), 0);
}

TEST_F(RippleSetTest, ARingTakesTheFirstFreeSlotAtTheRidersSpot) {
    ripples->spawn({12.5f, 0.0f, 77.25f}, 0.3f);
    ripples->spawn({13.5f, 0.0f, 78.25f}, 0.3f);
    const Ripple& first = ripples->ripples()[0];
    EXPECT_TRUE(first.active);
    EXPECT_EQ(first.age, 0);
    EXPECT_FLOAT_EQ(first.x, 12.5f);
    EXPECT_FLOAT_EQ(first.z, 77.25f);
    EXPECT_FLOAT_EQ(ripples->ripples()[1].x, 13.5f);
    // Every slot taken: further rings are simply not started.
    for (int k = 0; k < 100; ++k)
        ripples->spawn(kInWater, 0.3f);
    EXPECT_EQ(activeCount(), RippleSet::kSlots);
    // Once they have all run out, the first slot is the next one used.
    for (int k = 0; k < 31; ++k)
        ripples->update();
    EXPECT_EQ(activeCount(), 0u);
    ripples->spawn({1.0f, 0.0f, 2.0f}, 0.3f);
    EXPECT_TRUE(ripples->ripples()[0].active);
    EXPECT_FLOAT_EQ(ripples->ripples()[0].x, 1.0f);
}

TEST_F(RippleSetTest, ARingGrowsAndFadesOverThirtyFramesAtTheWaterLevel) {
    ripples->spawn({30.0f, 0.0f, 70.0f}, 0.25f);
    for (int age = 1; age <= 30; ++age) {
        ripples->update();
        const auto& draws = drawn();
        ASSERT_EQ(draws.size(), 1u) << "age " << age;
        const auto& call = draws[0];
        EXPECT_EQ(call.type, PrimitiveType::TriangleStrip);
        EXPECT_EQ(call.primitiveCount, 2u);
        EXPECT_EQ(call.vertexCount, 4u);
        EXPECT_EQ(call.stride, 24u);
        EXPECT_EQ(call.texture, ripples->texture());
        const float half = 0.022f * static_cast<float>(age) + 0.04f;
        const Argb colour = static_cast<Argb>(220 - 7 * age) << 24 | 0xFFFFFFu;
        for (size_t i = 0; i < 4; ++i) {
            // A flat 2 x 2 square, its texture laid corner to corner.
            const WorldVertex& v = call.vertex<WorldVertex>(i);
            EXPECT_EQ(v.x, kCorners[i].x);
            EXPECT_EQ(v.y, 0.0f);
            EXPECT_EQ(v.z, kCorners[i].z);
            EXPECT_EQ(v.u, kCorners[i].u);
            EXPECT_EQ(v.v, kCorners[i].v);
            EXPECT_EQ(v.diffuse, colour) << "age " << age;
            const Vec3 at = transformPoint({v.x, v.y, v.z}, call.world);
            EXPECT_NEAR(at.x, 30.0f + v.x * half, 1e-5f);
            EXPECT_NEAR(at.y, kLevel, 1e-6f);
            EXPECT_NEAR(at.z, 70.0f + v.z * half, 1e-5f);
        }
    }
    EXPECT_EQ(drawn()[0].vertex<WorldVertex>(0).diffuse >> 24, 10u);
    ripples->update();
    EXPECT_TRUE(drawn().empty());
    EXPECT_FALSE(ripples->ripples()[0].active);
    EXPECT_EQ(ripples->ripples()[0].age, 0);
}

TEST_F(RippleSetTest, RingsAreDrawnInSlotOrderWithOnlyTheirOwnStates) {
    ripples->spawn({10.0f, 0.0f, 10.0f}, 0.3f);
    for (int k = 0; k < 5; ++k)
        ripples->update();
    ripples->spawn({20.0f, 0.0f, 20.0f}, 0.3f);
    ripples->update();
    const auto& draws = drawn();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_NEAR(draws[0].world.m[3][0], 10.0f, 1e-5f);
    EXPECT_EQ(draws[0].vertex<WorldVertex>(0).diffuse >> 24, 220u - 7 * 6);
    EXPECT_NEAR(draws[1].world.m[3][0], 20.0f, 1e-5f);
    EXPECT_EQ(draws[1].vertex<WorldVertex>(0).diffuse >> 24, 220u - 7);
    using Op = RecordingRenderDevice::Op;
    std::vector<Op> ops;
    for (const auto& e : ws.rig.graphics.events())
        ops.push_back(e.op);
    EXPECT_EQ(ops, (std::vector<Op>{Op::Texture, Op::Transform, Op::Draw, Op::Transform, Op::Draw}));
}

TEST_F(RippleSetTest, RingsFollowTheRisingWater) {
    ripples->spawn({10.0f, 2.0f, 10.0f}, 0.3f);
    EXPECT_EQ(activeCount(), 0u);
    ws.water->raiseLevel(2.0f);
    ripples->spawn({10.0f, 2.0f, 10.0f}, 0.3f);
    ASSERT_EQ(activeCount(), 1u);
    ripples->update();
    ws.water->raiseLevel(0.5f);
    EXPECT_NEAR(drawn()[0].world.m[3][1], kLevel + 2.5f, 1e-5f);
}

// The picture is needed only when the set is on.
TEST_F(RippleSetTest, SwitchedOffLoadsNothingAndDoesNothing) {
    ASSERT_NE(ripples->texture(), nullptr);
    ws.rig.removeFile("Data/tex/Ripple.dds");
    try {
        make("RIPPLE=1\n");
        FAIL() << "built without its picture";
    } catch (const FatalError& error) {
        EXPECT_STREQ(error.what(), "ERROR : Create Direct3DTexture");
    }
    const int textures = ws.rig.graphics.texturesAlive();
    ripples = make("RIPPLE=0\n");
    EXPECT_FALSE(ripples->enabled());
    EXPECT_EQ(ripples->texture(), nullptr);
    EXPECT_EQ(ws.rig.graphics.texturesAlive(), textures - 1); // the old set's went, none came
    ripples->spawn(kInWater, 0.5f);
    ripples->update();
    EXPECT_EQ(activeCount(), 0u);
    EXPECT_TRUE(drawn().empty());
    EXPECT_TRUE(ws.rig.graphics.events().empty());
}

} // namespace
} // namespace qv::test
