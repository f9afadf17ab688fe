#include "characters/TargetArrow.h"

#include "GoalWorkspace.h"
#include "core/FatalError.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <memory>
#include <numbers>

namespace qv::test {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// A dry basin at height 0.5 around the rider's start on a plateau too high for goals: the first
// goal can only stand in one of the dips (ground 2.7).
Heights basinWithDips(std::initializer_list<GridSpot> spots) {
    const Heights dips = dipField(spots);
    return
        [dips](int i, int j) { return std::abs(i - 50) <= 3 && std::abs(j - 50) <= 3 ? 0.5f : dips(i, j); };
}

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class TargetArrowTest : public ::testing::Test {
  protected:
    void build(const Heights& heights, const std::vector<ControlRecord>& ride = {}) {
        arrow.reset();
        course.reset();
        gw.reset();
        gw = std::make_unique<GoalWorkspace>(heights, ride);
        for (size_t k = 0; k < ride.size(); ++k)
            gw->rider->update();
        course = gw->playCourse();
        arrow = makeArrow();
    }
    std::unique_ptr<TargetArrow> makeArrow() {
        return std::make_unique<TargetArrow>(graphics(), gw->ws.rig.content, *gw->rider, *course, *gw->camera,
                                             gw->state);
    }
    RecordingRenderDevice& graphics() { return gw->ws.rig.graphics; }
    const Vec3& goal() const { return course->goalPosition(); }

    // The drawn arrow sits at its position with its tip (local +x) toward the goal.
    void expectDrawnPointingAtGoal() {
        graphics().clearLog();
        arrow->draw();
        ASSERT_FALSE(graphics().draws().empty());
        const Matrix4& world = graphics().draws().front().world;
        expectNear(transformPoint({0, 0, 0}, world), arrow->position());
        expectNear(normalize(transformNormal({1, 0, 0}, world)), normalize(goal() - arrow->position()));
    }

    std::unique_ptr<GoalWorkspace> gw;
    std::unique_ptr<PlayGoalCourse> course;
    std::unique_ptr<TargetArrow> arrow;
};

TEST_F(TargetArrowTest, PointsAtTheGoalFromBeforeItsFirstUpdate) {
    build(basinWithDips({{72, 50}}));
    // Some 22 ahead along +x and 2.42 above the arrow, which floats 0.38 over the rider.
    expectNear(arrow->position(), gw->rider->position() + Vec3{0, 0.38f, 0});
    EXPECT_FLOAT_EQ(arrow->scale(), 0.07f);
    EXPECT_NEAR(arrow->yaw(), 0.0f, 0.03f);
    EXPECT_NEAR(arrow->pitch(), std::atan2(2.42f, 22.0f), 0.01f);
    expectDrawnPointingAtGoal();

    const std::pair<GridSpot, float> around[] = {
        {{50, 80}, -kPi / 2}, {{80, 80}, -kPi / 4}, {{25, 75}, -3 * kPi / 4}};
    for (const auto& [spot, yaw] : around) {
        build(basinWithDips({spot}));
        arrow->update();
        EXPECT_NEAR(arrow->yaw(), yaw, 0.04f) << spot.x << "," << spot.z;
        expectDrawnPointingAtGoal();
    }
    EXPECT_FLOAT_EQ(TargetArrow::aimAt({1, 1, 1}, {1, 6, 1}).pitch, kPi / 2) << "a goal straight above";
}

TEST_F(TargetArrowTest, TurnsAroundAtOnceWhenTheNextGoalIsBehind) {
    build(dipField({{75, 50}, {25, 50}}));
    arrow->update();
    const float firstYaw = arrow->yaw();
    const bool firstAhead = goal().x > 50.0f;
    course->knockDown(0.2f, 0.0f);
    ASSERT_NE(goal().x > 50.0f, firstAhead) << "the next goal stands on the other side";
    arrow->update();
    EXPECT_NEAR(std::fabs(arrow->yaw() - firstYaw), kPi, 0.05f);
    expectDrawnPointingAtGoal();
}

TEST_F(TargetArrowTest, FloatsAtTheHeightOfEachViewAndAheadOfTheFacingForTheRidersEye) {
    build(basinWithDips({{72, 50}}), repeat(pedalling(1.0f), 40)); // turning, to face away from +x
    const Vec3 p = gw->rider->position();
    const float h = gw->rider->heading();
    ASSERT_GT(std::fabs(h), 0.2f);
    const std::pair<CameraMode, Vec3> views[] = {
        {CameraMode::HighChase, {0, 0.8f, 0}},
        {CameraMode::RiderEye, {0.5f * std::cos(h), 0.35f, 0.5f * std::sin(h)}},
        {CameraMode::CloseBehind, {0, 0.35f, 0}},
        {CameraMode::Chase, {0, 0.38f, 0}},
        {CameraMode::Trackside, {0, 0.38f, 0}},
        {CameraMode::StartView, {0, 0.38f, 0}}};
    for (const auto& [mode, offset] : views) {
        SCOPED_TRACE(static_cast<int>(mode));
        gw->camera->setMode(mode);
        arrow->update();
        expectNear(arrow->position(), p + offset);
        expectDrawnPointingAtGoal();
    }
}

TEST_F(TargetArrowTest, PulsesAboveItsBaseSizeAndMoreForANearGoal) {
    auto largestScale = [&](GridSpot spot) {
        build(basinWithDips({spot}));
        const float bound = 0.07f + 1.2f / (length(goal() - arrow->position()) + 3.0f);
        float largest = 0.0f;
        for (int i = 0; i < 80; ++i) {
            arrow->update();
            EXPECT_GE(arrow->scale(), 0.07f);
            EXPECT_LE(arrow->scale(), bound);
            largest = std::max(largest, arrow->scale());
        }
        return largest;
    };
    const float far = largestScale({95, 95});
    EXPECT_GT(largestScale({72, 50}), far + 0.005f);
    EXPECT_GT(far, 0.075f);
}

TEST_F(TargetArrowTest, MarkerColourBandsFollowTheSightRange) {
    struct Band {
        float distance;
        Argb first, second;
    };
    const Band bands[] = {{45.01f, 0xFF0000FF, 0xFF0088FF}, {45.0f, 0xFF007700, 0xFFFFFF00},
                          {30.01f, 0xFF007700, 0xFFFFFF00}, {30.0f, 0xFFFF0000, 0xFFFF6600},
                          {13.01f, 0xFFFF0000, 0xFFFF6600}, {13.0f, 0, 0}};
    for (const Band& b : bands) {
        EXPECT_EQ(TargetArrow::markerColour(b.distance, 15, 0), b.first ? 0xFFFFFFFFu : 0u) << b.distance;
        EXPECT_EQ(TargetArrow::markerColour(b.distance, 15, 1), b.first) << b.distance;
        EXPECT_EQ(TargetArrow::markerColour(b.distance, 15, 5), b.second) << b.distance;
    }
}

TEST_F(TargetArrowTest, MarkerIsOnePointSpriteOnTheGoalCyclingThroughItsBand) {
    build(basinWithDips({{72, 50}}));
    ASSERT_NEAR(length(goal() - gw->rider->position()), 22.0f, 1.0f);
    gw->state.sightRange = 10; // 20 < distance <= 30: green and yellow
    for (Argb colour : {0xFF007700u, 0xFFFFFF00u, 0xFFFFFFFFu, 0xFF007700u}) {
        graphics().clearLog();
        arrow->drawMarker();
        ASSERT_EQ(graphics().draws().size(), 1u);
        const auto& call = graphics().draws()[0];
        EXPECT_EQ(call.type, PrimitiveType::PointList);
        EXPECT_EQ(call.primitiveCount, 1u);
        EXPECT_EQ(call.stride, 16u);
        EXPECT_EQ(call.texture, &arrow->markerTexture());
        EXPECT_EQ(call.world, Matrix4::translation(goal().x, goal().y, goal().z));
        EXPECT_EQ(call.vertex<SplashPoint>(0).diffuse, colour);
        EXPECT_EQ(length({call.vertex<SplashPoint>(0).x, call.vertex<SplashPoint>(0).y,
                          call.vertex<SplashPoint>(0).z}),
                  0.0f);
    }
    const auto& call = graphics().draws()[0];
    EXPECT_EQ(call.state(RenderState::PointSize), std::bit_cast<uint32_t>(1.5f));
    EXPECT_EQ(call.state(RenderState::PointSizeMin), std::bit_cast<uint32_t>(0.2f));
    EXPECT_EQ(call.state(RenderState::PointSizeMax), std::bit_cast<uint32_t>(10000.0f));
    EXPECT_EQ(call.state(RenderState::PointScaleA), 0u);
    EXPECT_EQ(call.state(RenderState::PointScaleB), std::bit_cast<uint32_t>(6.0f));
    EXPECT_EQ(call.state(RenderState::PointScaleC), 0u);
}

TEST_F(TargetArrowTest, LoadsTheMarkerPictureFirstThenTheMesh) {
    build(basinWithDips({{72, 50}}));
    auto buildError = [&] {
        try {
            makeArrow();
        } catch (const FatalError& error) {
            return std::string(error.what());
        }
        return std::string("built");
    };
    gw->ws.rig.removeFile("Data/x/arrow.x");
    EXPECT_EQ(buildError(), "ERROR : Load Mesh ./Data/x/arrow.x");
    gw->ws.rig.removeFile("Data/tex/target.dds");
    EXPECT_EQ(buildError(), "ERROR : Create Direct3DTexture");
}

} // namespace
} // namespace qv::test
