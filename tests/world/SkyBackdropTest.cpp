#include "world/SkyBackdrop.h"

#include "platform/RecordingRenderDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace qv::test {
namespace {

struct Extent {
    float low = 1e9f, high = -1e9f;
    void add(float v) { low = std::min(low, v), high = std::max(high, v); }
    float span() const { return high - low; }
};

class SkyBackdropTest : public ::testing::Test {
  protected:
    void draw(Vec3 eye, float yaw) {
        SkyBackdrop sky(device, state);
        sky.draw(eye, yaw);
    }
    GameState state;
    RecordingRenderDevice device{RecordingRenderDevice::Vertices::Keep};
};

TEST_F(SkyBackdropTest, QuadsAreSizedBySightRange) {
    state.sightRange = 15;
    SkyBackdrop backdrop(device, state);
    Extent skyWidth, hazeHeight;
    for (const WorldVertex& v : backdrop.skyQuad())
        skyWidth.add(v.z);
    for (const WorldVertex& v : backdrop.hazeQuad())
        hazeHeight.add(v.y);
    EXPECT_FLOAT_EQ(skyWidth.span(), 30.0f);
    EXPECT_FLOAT_EQ(hazeHeight.span(), 20.5f);
}

TEST_F(SkyBackdropTest, SkyShadesFromBlueOverheadToFogAtTheHorizon) {
    state.sightRange = 15;
    SkyBackdrop backdrop(device, state);
    for (const WorldVertex& v : backdrop.skyQuad()) {
        if (v.x == 0.0f) {
            EXPECT_EQ(v.y, 5.0f);
            EXPECT_EQ(v.diffuse, 0xFF4455FFu);
        } else {
            EXPECT_EQ(v.x, 15.0f);
            EXPECT_EQ(v.y, 0.0f); // the horizon: eye height at sight range
            EXPECT_EQ(v.diffuse, 0xFFC1C1DDu);
        }
    }
    for (const WorldVertex& v : backdrop.hazeQuad())
        EXPECT_EQ(v.diffuse, 0xFFC1C1DDu);
}

TEST_F(SkyBackdropTest, HazeIsDrawnFirstAndTheSkyOverIt) {
    draw({10.0f, 2.0f, 20.0f}, 0.0f);
    const auto& draws = device.draws();
    ASSERT_EQ(draws.size(), 2u);
    for (const auto& d : draws) {
        EXPECT_EQ(d.type, PrimitiveType::TriangleStrip);
        EXPECT_EQ(d.primitiveCount, 2u);
        EXPECT_EQ(d.stride, sizeof(WorldVertex));
        EXPECT_EQ(d.texture, nullptr);
    }
    EXPECT_EQ(draws[0].vertex<WorldVertex>(2).y, -20.0f);
    EXPECT_EQ(draws[1].vertex<WorldVertex>(0).y, 5.0f);
}

TEST_F(SkyBackdropTest, MovesAndTurnsWithTheEye) {
    state.sightRange = 25;
    const Vec3 eye{40.0f, 3.5f, 60.0f};
    const float yaw = -2.1f;
    draw(eye, yaw);
    const Matrix4& world = device.draws()[1].world;
    Vec3 origin = transformPoint({0.0f, 0.0f, 0.0f}, world);
    EXPECT_NEAR(origin.x, eye.x, 1e-5f);
    EXPECT_NEAR(origin.y, eye.y, 1e-5f);
    EXPECT_NEAR(origin.z, eye.z, 1e-5f);
    // The horizon edge's middle lies sight range ahead along the view, at eye height.
    Vec3 horizon = transformPoint({25.0f, 0.0f, 0.0f}, world);
    EXPECT_NEAR(horizon.x, eye.x + 25.0f * std::cos(yaw), 1e-4f);
    EXPECT_NEAR(horizon.y, eye.y, 1e-5f);
    EXPECT_NEAR(horizon.z, eye.z + 25.0f * std::sin(yaw), 1e-4f);
}

} // namespace
} // namespace qv::test
