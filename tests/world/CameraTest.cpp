#include "world/Camera.h"

#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace qv::test {
namespace {

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The translation row holds products of the eye with the axes, so it gets a looser bound.
void expectViewOf(const Matrix4& view, const Vec3& eye, const Vec3& at) {
    const Matrix4 expected = Matrix4::lookAtLH(eye, at, {0.0f, 1.0f, 0.0f});
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(view.m[r][c], expected.m[r][c], 2e-3f) << "row " << r << " column " << c;
}

// A demo rider on a field shaped by the test, starting at rest at (50, ground, 50) facing +x.
class CameraTest : public ::testing::Test {
  protected:
    void build(const Heights& heights = flatAt(1.0f), const std::string& keys = "",
               const std::vector<ControlRecord>& ride = {}) {
        camera.reset(); // the old ones hold on to the old workspace
        rider.reset();
        ws.reset(); // it restores the working folder it found
        ws = std::make_unique<RiderWorkspace>(keys);
        ws->buildWorld(heights);
        ws->writeDemo(ride);
        rider = ws->demoRider();
        for (size_t k = 0; k < ride.size(); ++k)
            rider->update();
        camera = freshCamera();
    }
    // A camera built now: eye at the corner, looking 5 above the rider.
    std::unique_ptr<Camera> freshCamera() {
        return std::make_unique<Camera>(ws->rig.graphics, ws->rig.keyboard, *rider, *ws->field,
                                        ws->rig.state);
    }
    void selectOnTick(uint32_t tick) {
        ws->rig.keysFor(tick);
        ws->rig.keyboard.poll();
        camera->selectMode();
    }
    GameState& state() { return ws->rig.state; }
    const Matrix4& view() const { return ws->rig.graphics.transform(TransformKind::View); }

    std::unique_ptr<RiderWorkspace> ws;
    std::unique_ptr<Rider> rider;
    std::unique_ptr<Camera> camera;
};

// Seed 1 draws 41 and 18467 first: the trackside jump lands 10 ahead plus those fractions.
TEST_F(CameraTest, FirstUpdateOfEveryViewFromTheStartingEye) {
    struct Step {
        CameraMode mode;
        Vec3 eye, at;
    };
    const Step steps[] = {
        {CameraMode::HighChase, {79.3125f, 0.6984375f, 79.53125f}, {50.0f, 5.06f, 50.0f}},
        {CameraMode::RiderEye, {50.0f, 1.2f, 50.0f}, {60.0f, 1.0f, 50.0f}},
        {CameraMode::CloseBehind, {65.5f, 0.8425f, 65.75f}, {50.0f, 3.6f, 50.0f}},
        {CameraMode::Chase, {75.1f, 0.64625f, 75.2f}, {50.0f, 3.6f, 50.0f}},
        {CameraMode::LowChase, {77.4375f, 0.696f, 77.5625f}, {50.0f, 5.06f, 50.0f}},
        {CameraMode::FacingBack, {66.3f, 0.7633333f, 65.75f}, {50.0f, 4.3333333f, 50.0f}},
        {CameraMode::Trackside, {60.0012513f, 1.3f, 50.5635853f}, {50.0f, 1.0f, 50.0f}},
        {CameraMode::StartView, {80.7f, 0.4625f, 80.7125f}, {50.0f, 5.04f, 50.0f}},
        {CameraMode::FinishView, {79.0269231f, 0.5808333f, 79.0269231f}, {50.1f, 4.8f, 50.1125f}},
    };
    build();
    EXPECT_EQ(camera->mode(), CameraMode::Chase);
    for (const Step& step : steps) {
        SCOPED_TRACE(static_cast<int>(step.mode));
        state().random.seed(1);
        camera = freshCamera();
        camera->setMode(step.mode);
        camera->update();
        expectNear(camera->eye(), step.eye);
        expectNear(camera->lookAt(), step.at);
        EXPECT_NEAR(camera->yaw(), std::atan2(step.at.z - step.eye.z, step.at.x - step.eye.x), 1e-5f);
        expectViewOf(view(), step.eye, step.at);
    }
}

// Rolling backwards, the direction of travel is opposite the facing, so a view that uses the
// wrong angle lands on the wrong side of the rider. Each view pulls 1 / (k + 1) of the way from
// the old eye toward its target, so the target is (k + 1) * new - k * old.
TEST_F(CameraTest, ViewsAimAlongTravelOrFacing) {
    std::vector<ControlRecord> ride = repeat(pedalling(0.6f), 60);
    ControlRecord backwards;
    backwards.backPedal = 1;
    append(ride, backwards, 250);
    build(flatAt(1.0f), "", ride);
    const Vec3 p = rider->position();
    const float d = rider->direction(), f = rider->heading();
    ASSERT_LT(std::cos(d - f), -0.99f);
    ASSERT_GT(rider->speed(), 0.02f);
    ASSERT_GT(std::fabs(std::sin(f)), 0.3f);

    struct Aim {
        CameraMode mode;
        float k, alongTravel, alongFacing;
    };
    const Aim aims[] = {
        {CameraMode::HighChase, 15.0f, -3.5f, 0.0f},  {CameraMode::RiderEye, 0.0f, 0.0f, 0.0f},
        {CameraMode::CloseBehind, 1.0f, 0.0f, -0.5f}, {CameraMode::Chase, 4.0f, 0.0f, -0.5f},
        {CameraMode::LowChase, 7.0f, -1.0f, 0.0f},    {CameraMode::FacingBack, 1.0f, 1.1f, 0.0f}};
    const Vec3 old = Camera::kStartEye;
    for (const Aim& aim : aims) {
        SCOPED_TRACE(static_cast<int>(aim.mode));
        camera = freshCamera();
        camera->setMode(aim.mode);
        camera->update();
        const Vec3 target = camera->eye() * (aim.k + 1.0f) - old * aim.k;
        EXPECT_NEAR(target.x, p.x + aim.alongTravel * std::cos(d) + aim.alongFacing * std::cos(f), 2e-3f);
        EXPECT_NEAR(target.z, p.z + aim.alongTravel * std::sin(d) + aim.alongFacing * std::sin(f), 2e-3f);
    }
    camera = freshCamera();
    camera->setMode(CameraMode::RiderEye);
    camera->update();
    expectNear(camera->lookAt(), {p.x + 10.0f * std::cos(f), p.y, p.z + 10.0f * std::sin(f)});

    state().random.seed(1);
    camera = freshCamera();
    camera->setMode(CameraMode::Trackside);
    camera->update();
    EXPECT_NEAR(camera->eye().x, p.x + 10.0f * std::cos(d) + 41.0f / 32767.0f, 1e-4f);
    EXPECT_NEAR(camera->eye().z, p.z + 10.0f * std::sin(d) + 18467.0f / 32767.0f, 1e-4f);
}

// Settled close behind (0.55 away) the chase view halves the gap; settled high behind (4.9
// away) it closes a fifth of it and a quarter in height.
TEST_F(CameraTest, ChaseClosesInFasterWithinReach) {
    struct Case {
        CameraMode settledIn;
        Vec3 eyeAfterChase;
    };
    const Case cases[] = {{CameraMode::CloseBehind, {49.5f, 1.245f, 50.0f}},
                          {CameraMode::HighChase, {47.1f, 3.6875f, 50.0f}}};
    build();
    for (const Case& c : cases) {
        camera = freshCamera();
        camera->setMode(c.settledIn);
        for (int k = 0; k < 400; ++k)
            camera->update();
        camera->setMode(CameraMode::Chase);
        camera->update();
        expectNear(camera->eye(), c.eyeAfterChase, 2e-4f);
    }
}

// Far from the rider the chase eye aims 2 * speed + 0.25 above it, never more than 0.6, and
// the look-at speed + 0.2 above it.
TEST_F(CameraTest, ChaseRisesWithSpeedUpToACap) {
    for (size_t ticks : {40u, 250u}) { // slow, then fast enough for the cap
        build(flatAt(1.0f), "", repeat(pedalling(), ticks));
        const Vec3 p = rider->position();
        const float s = rider->speed();
        ASSERT_EQ(2.0f * s + 0.25f > 0.6f, ticks == 250u) << "speed " << s;
        const Vec3 oldAt = camera->lookAt();
        camera->update();
        EXPECT_NEAR(camera->eye().y * 4.0f - Camera::kStartEye.y * 3.0f,
                    p.y + std::min(2.0f * s + 0.25f, 0.6f), 1e-4f);
        EXPECT_NEAR(camera->lookAt().y * 2.0f - oldAt.y, p.y + s + 0.2f, 1e-4f);
    }
}

// Ground falls from 1.0 to 0.2 from x = 55 on; the jump lands near x = 60 on the low part.
TEST_F(CameraTest, TracksideJumpMayLandLowButWaitsAboveTheWater) {
    build([](int i, int) { return i >= 55 ? 0.2f : 1.0f; });
    state().random.seed(1);
    camera->setMode(CameraMode::Trackside);
    camera->update();
    EXPECT_NEAR(camera->eye().y, 0.5f, 1e-5f);
    Random twoDraws(1);
    twoDraws.next();
    twoDraws.next();
    EXPECT_EQ(state().random.state(), twoDraws.state());
    EXPECT_NEAR(camera->yaw(), std::atan2(50.0f - camera->eye().z, 50.0f - camera->eye().x), 1e-6f);
    EXPECT_GT(std::fabs(camera->yaw()), 3.0f); // from the landing spot back to the rider

    const float jumpedX = camera->eye().x;
    camera->update();
    EXPECT_NEAR(camera->eye().x, (300.0f * jumpedX + 50.0f) / 301.0f, 1e-4f);
    EXPECT_FLOAT_EQ(camera->eye().y, 0.745f);
    EXPECT_EQ(state().random.state(), twoDraws.state()); // drifting draws nothing
    expectNear(camera->lookAt(), rider->position(), 0.0f);
}

// Pedalling straight ahead pins the rider to the x = 99.5 wall; the jump lands 10 beyond it.
TEST_F(CameraTest, TracksideOffTheFieldStandsJustAboveTheRestingWater) {
    build(flatAt(1.0f), "", repeat(pedalling(), 500));
    ASSERT_FLOAT_EQ(rider->position().x, 99.5f);
    camera->setMode(CameraMode::Trackside);
    for (int k = 0; k < 2; ++k) { // the jump, then a drift out there
        camera->update();
        EXPECT_GT(camera->eye().x, 99.9f);
        EXPECT_FLOAT_EQ(camera->eye().y, 0.745f); // the ground would put it at 1.3
    }
}

TEST_F(CameraTest, FirstHeldNumberKeyPicksTheView) {
    build(flatAt(1.0f), "1 down 2\n1 down 5\n2 up 2\n3 down 0\n4 up 0\n4 up 5\n5 down 7\n5 down 9\n"
                        "5 down NUMPAD4\n");
    const CameraMode expected[] = {CameraMode::CloseBehind, CameraMode::FacingBack, CameraMode::HighChase,
                                   CameraMode::Trackside, CameraMode::Trackside};
    const uint32_t seed = state().random.state();
    for (uint32_t tick = 1; tick <= std::size(expected); ++tick) {
        camera->setMode(CameraMode::Trackside); // a held key selects again; no key keeps the mode
        selectOnTick(tick);
        EXPECT_EQ(camera->mode(), expected[tick - 1]) << "tick " << tick;
    }
    EXPECT_EQ(state().random.state(), seed); // outside the demo nothing is drawn
}

// Seed 10 draws 71, 16899, 3272, 13694: modulo 8 they are 7, 3, 0, 6, shown as 6, 3, 1, 6.
TEST_F(CameraTest, DemoSwitchesViewAtRandomEvery301Updates) {
    build();
    state().demoMode = true;
    state().random.seed(10);
    for (CameraMode next :
         {CameraMode::Trackside, CameraMode::Chase, CameraMode::RiderEye, CameraMode::Trackside}) {
        camera->setMode(CameraMode::LowChase);
        for (int k = 0; k < 300; ++k)
            camera->selectMode();
        EXPECT_EQ(camera->mode(), CameraMode::LowChase);
        camera->selectMode();
        EXPECT_EQ(camera->mode(), next);
    }
}

TEST_F(CameraTest, HeldKeyOverridesTheDemoSwitchOnItsUpdate) {
    build(flatAt(1.0f), "1 down 4\n");
    state().demoMode = true;
    state().random.seed(10);
    for (int k = 0; k < 301; ++k)
        selectOnTick(1);
    EXPECT_EQ(camera->mode(), CameraMode::LowChase);
    Random oneDraw(10);
    oneDraw.next();
    EXPECT_EQ(state().random.state(), oneDraw.state());
}

} // namespace
} // namespace qv::test
