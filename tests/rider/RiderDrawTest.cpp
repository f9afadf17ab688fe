#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

using Op = RecordingRenderDevice::Op;

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class RiderDrawTest : public ::testing::Test {
  protected:
    Rider& start(const Heights& heights, const std::vector<ControlRecord>& records = {}) {
        ws.writeDemo(records);
        ws.buildWorld(heights);
        rider = ws.demoRider();
        return *rider;
    }

    void updates(int count) {
        for (int tick = 0; tick < count; ++tick)
            rider->update();
    }

    const std::vector<RecordingRenderDevice::DrawCall>& drawn(void (Rider::*pass)()) {
        ws.rig.graphics.clearLog();
        (rider.get()->*pass)();
        return ws.rig.graphics.draws();
    }

    // A rider afloat, turned left a little, so it has a heading but no tilt.
    Rider& afloatAndTurned() {
        ControlRecord turn;
        turn.left = 1;
        std::vector<ControlRecord> records = repeat(ControlRecord{}, 200);
        append(records, turn, 15);
        ControlRecord boost;
        boost.boost = 1;
        append(records, boost, 5);
        Rider& r = start(flatAt(0.0f), records);
        updates(220);
        return r;
    }

    RiderWorkspace ws;
    std::unique_ptr<Rider> rider;
};

TEST_F(RiderDrawTest, BodyBrowsAndTricycleAreDrawnUntexturedWithTheirOwnMaterials) {
    start(flatAt(1.0f));
    const auto& draws = drawn(&Rider::draw);
    ASSERT_EQ(draws.size(), 6u); // three meshes of two materials each
    for (const auto& draw : draws) {
        EXPECT_EQ(draw.texture, nullptr);
        EXPECT_EQ(draw.material.ambient, draw.material.diffuse);
    }
    EXPECT_EQ(draws[0].material.diffuse, (ColorValue{1.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(draws[1].material.diffuse, (ColorValue{0.0f, 0.0f, 1.0f, 0.5f}));
    // Before the first update the bob is zero: one uniform scale for all three parts.
    for (const auto& draw : draws)
        EXPECT_EQ(draw.world, draws[0].world);
}

TEST_F(RiderDrawTest, HiddenBrowsLeaveOnlyBodyAndTricycle) {
    Rider& r = start(flatAt(1.0f));
    updates(4);
    const std::vector<RecordingRenderDevice::DrawCall> shown = drawn(&Rider::draw);
    r.setBrowsShown(false);
    const auto& hidden = drawn(&Rider::draw);
    ASSERT_EQ(shown.size(), 6u);
    ASSERT_EQ(hidden.size(), 4u);
    EXPECT_EQ(hidden[0].world, shown[0].world);
    EXPECT_EQ(hidden[3].world, shown[5].world);
}

TEST_F(RiderDrawTest, TheModelFacesTheHeadingAndStandsOnThePosition) {
    Rider& r = afloatAndTurned();
    ASSERT_GT(r.heading(), 0.2f);
    ASSERT_EQ(r.pitch(), 0.0f);
    const auto& draws = drawn(&Rider::draw);
    const Matrix4& tricycle = draws.back().world;
    const float h = r.heading();
    expectNear(transformPoint({0, 0, 0}, tricycle), r.position());
    expectNear(transformNormal({1, 0, 0}, tricycle), Vec3{0.7f * std::cos(h), 0.0f, 0.7f * std::sin(h)});
    expectNear(transformNormal({0, 1, 0}, tricycle), Vec3{0.0f, 0.7f, 0.0f});
}

TEST_F(RiderDrawTest, TheBodySquashesAndStretchesWithTheBob) {
    Rider& r = start(flatAt(1.0f));
    updates(5);
    const float bob = r.bob();
    ASSERT_GT(bob, 0.01f);
    const Matrix4& body = drawn(&Rider::draw).front().world;
    expectNear(transformNormal({0, 1, 0}, body), Vec3{0.0f, 0.7f + bob, 0.0f});
    expectNear(transformNormal({1, 0, 0}, body), Vec3{0.7f - bob, 0.0f, 0.0f});
    expectNear(transformNormal({0, 0, 1}, body), Vec3{0.0f, 0.0f, 0.7f - bob});
}

TEST_F(RiderDrawTest, OnASlopeTheModelStandsAlongTheGroundNormal) {
    // Rolling back down a slope that also falls away to the side, at its settled speed.
    Rider& r = start([](int i, int j) { return 1.0f + 0.1f * static_cast<float>(i + j); });
    updates(600);
    ASSERT_LT(r.velocity().x, -0.05f);
    const Matrix4& tricycle = drawn(&Rider::draw).back().world;
    const Vec3 up = normalize(transformNormal({0, 1, 0}, tricycle));
    expectNear(up, ws.field->normalAt(r.position().x, r.position().z), 0.005f);
}

TEST_F(RiderDrawTest, TheBodyLeansBackPullingAwayAndForwardBraking) {
    std::vector<ControlRecord> input = repeat(pedalling(), 100);
    ControlRecord brake;
    brake.brake = 1;
    append(input, brake, 10);
    Rider& r = start(flatAt(1.0f), input);
    auto upright = [&] { return normalize(transformNormal({0, 1, 0}, drawn(&Rider::draw).back().world)); };
    updates(10);
    EXPECT_LT(upright().x, -0.05f); // the top tips towards -x, away from the push
    updates(95);
    EXPECT_GT(upright().x, 0.05f);
    EXPECT_NEAR(upright().z, 0.0f, 1e-6f);
    EXPECT_EQ(r.heading(), 0.0f);
}

TEST_F(RiderDrawTest, DrawingTouchesNoRenderStateButTheWorldTextureAndMaterials) {
    Rider& r = start(flatAt(1.0f));
    updates(2);
    r.draw();
    ws.rig.graphics.clearLog();
    r.draw();
    r.drawBoostEffect();
    r.drawBoostGauge();
    for (const auto& event : ws.rig.graphics.events()) {
        EXPECT_NE(event.op, Op::RenderState);
        EXPECT_NE(event.op, Op::Light);
        if (event.op == Op::Transform) {
            EXPECT_EQ(event.a, static_cast<uint32_t>(TransformKind::World));
        }
    }
}

TEST_F(RiderDrawTest, OnLevelGroundTheBoostEffectSitsLikeTheTricycle) {
    Rider& r = afloatAndTurned();
    ASSERT_TRUE(r.boost().boosting());
    const Matrix4 tricycle = drawn(&Rider::draw).back().world;
    const auto& effect = drawn(&Rider::drawBoostEffect);
    ASSERT_EQ(effect.size(), 2u);
    EXPECT_NE(effect[0].texture, nullptr);
    const float scale = length(transformNormal({1, 0, 0}, effect[0].world));
    const float ratio = scale / 0.7f;
    for (const Vec3& axis : {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}})
        expectNear(transformNormal(axis, effect[0].world), transformNormal(axis, tricycle) * ratio);
    expectNear(transformPoint({0, 0, 0}, effect[0].world), r.position());
}

} // namespace
} // namespace qv::test
