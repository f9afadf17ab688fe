#include "field/WaterSurface.h"
#include "app/Settings.h"

#include "platform/RecordingRenderDevice.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

class WaterSurfaceTest : public ::testing::Test {
  protected:
    WaterSurface make(const std::string& ini) {
        dir.write("Pedalon.ini", ini);
        return WaterSurface(device, state, Settings(dir.file("Pedalon.ini")).sceneOptions());
    }

    TempDir dir;
    GameState state;
    RecordingRenderDevice device{RecordingRenderDevice::Vertices::Keep};
};

TEST_F(WaterSurfaceTest, LevelStartsAtRestAndOnlyRisesWhenRaised) {
    WaterSurface water = make("");
    EXPECT_FLOAT_EQ(water.waterLevel(), 0.445f);
    for (int k = 0; k < 500; ++k)
        water.raiseLevel(0.008f);
    EXPECT_NEAR(water.waterLevel(), 4.445f, 1e-4f);
}

TEST_F(WaterSurfaceTest, ColourFollowsTheEffectColorSetting) {
    EXPECT_EQ(make("").quad()[0].diffuse, 0x551122FFu);
    EXPECT_EQ(make("[EFFECT]\nCOLOR=1\n").quad()[0].diffuse, 0x551122FFu);
    EXPECT_EQ(make("[EFFECT]\nCOLOR=0\n").quad()[0].diffuse, 0x700011EEu);
    EXPECT_EQ(make("[EFFECT]\nCOLOR=2\n").quad()[0].diffuse, 0x700011EEu);
    const WaterSurface pale = make("[EFFECT]\nCOLOR=2\n");
    for (const WorldVertex& v : pale.quad())
        EXPECT_EQ(v.diffuse, 0x700011EEu);
}

TEST_F(WaterSurfaceTest, QuadReachesFromBehindTheEyeToSightRange) {
    state.sightRange = 15;
    const WaterSurface water = make("");
    float minX = 1e9f, maxX = -1e9f, minZ = 1e9f, maxZ = -1e9f;
    for (const WorldVertex& v : water.quad()) {
        EXPECT_EQ(v.y, 0.0f);
        minX = std::min(minX, v.x), maxX = std::max(maxX, v.x);
        minZ = std::min(minZ, v.z), maxZ = std::max(maxZ, v.z);
    }
    EXPECT_FLOAT_EQ(minX, -1.2f);
    EXPECT_FLOAT_EQ(maxX - minX, 16.2f);
    EXPECT_FLOAT_EQ(maxZ - minZ, 30.0f);
}

TEST_F(WaterSurfaceTest, DrawsALevelUntexturedStripAtTheWaterLevelUnderTheEye) {
    state.sightRange = 20;
    WaterSurface water = make("");
    water.raiseLevel(1.0f);
    const float yaw = 0.6f;
    water.draw({30.0f, 12.0f, 70.0f}, yaw);
    ASSERT_EQ(device.draws().size(), 1u);
    const auto& draw = device.draws()[0];
    EXPECT_EQ(draw.type, PrimitiveType::TriangleStrip);
    EXPECT_EQ(draw.primitiveCount, 2u);
    EXPECT_EQ(draw.stride, sizeof(WorldVertex));
    EXPECT_EQ(draw.texture, nullptr);
    // Every corner lies on the plane at the level, whatever the eye height.
    for (uint32_t k = 0; k < 4; ++k) {
        const WorldVertex& v = draw.vertex<WorldVertex>(k);
        EXPECT_NEAR(transformPoint({v.x, v.y, v.z}, draw.world).y, 1.445f, 1e-5f) << k;
    }
    // Local +x runs along the view direction from the eye.
    Vec3 ahead = transformPoint({20.0f, 0.0f, 0.0f}, draw.world);
    EXPECT_NEAR(ahead.x, 30.0f + 20.0f * std::cos(yaw), 1e-4f);
    EXPECT_NEAR(ahead.z, 70.0f + 20.0f * std::sin(yaw), 1e-4f);
}

} // namespace
} // namespace qv::test
