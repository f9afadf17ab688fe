#include "characters/Walker.h"
#include "characters/HitTest.h"
#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace qv::test {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// A rider resting at the water level in the middle of a drowned-flat field, and the walker.
class WalkerTest : public ::testing::Test {
  protected:
    RiderWorkspace ws;
    bool worldBuilt = (ws.buildWorld(flatAt(0.445f)), true);
    std::unique_ptr<Rider> rider = ws.demoRider();
    std::unique_ptr<Walker> walker = std::make_unique<Walker>(ws.rig.graphics, ws.rig.content, ws.rig.sound,
                                                              *rider, *ws.water, ws.rig.state);
};

TEST_F(WalkerTest, TheThrowPeaksAfter141FramesAndLandsAtTheEndOfTheSignal) {
    walker->launch();
    EXPECT_EQ(walker->position(), Walker::kLaunchPosition);
    float previousY = walker->position().y;
    int peakFrame = 0;
    for (int frame = 1; frame <= 160; ++frame) {
        walker->fly();
        if (walker->position().y > previousY)
            peakFrame = frame;
        previousY = walker->position().y;
        if (frame == 141) {
            EXPECT_NEAR(walker->position().y, 0.73f, 0.01f);
            EXPECT_NEAR(walker->position().x, 52.2f, 0.01f);
        }
    }
    EXPECT_EQ(peakFrame, 141);
    EXPECT_NEAR(walker->position().x, 56.0f, 1e-3f);
    EXPECT_NEAR(walker->position().y, 0.04f, 0.01f);
    EXPECT_EQ(walker->position().z, 49.0f);
    EXPECT_FLOAT_EQ(walker->tilt(), std::atan2(walker->velocity().y, 0.2f)); // leaning down the arc
    EXPECT_LT(walker->tilt(), 0.0f);
}

TEST_F(WalkerTest, ItIsSetDownBeyondSightFacingTheCameraAndLaughs) {
    ws.rig.state.sightRange = 20;
    const Vec3 eye{30.0f, 5.0f, 40.0f};
    walker->spawn(eye, 0.5f);
    EXPECT_NEAR(walker->position().x, 30.0f + std::cos(0.5f) * 23.0f, 1e-4f);
    EXPECT_NEAR(walker->position().z, 40.0f + std::sin(0.5f) * 23.0f, 1e-4f);
    EXPECT_EQ(walker->position().y, ws.water->waterLevel());
    EXPECT_FLOAT_EQ(walker->heading(), 0.5f + kPi);
    EXPECT_NEAR(walker->velocity().x, -std::cos(0.5f) * 0.1f, 1e-6f);
    EXPECT_EQ(walker->scale(), 8.0f);
    EXPECT_EQ(walker->tilt(), 0.1f);
    EXPECT_EQ(ws.rig.sound.playCount(Walker::kLaughFile), 1u);
    walker.reset();
    EXPECT_EQ(ws.rig.sound.stopCount(Walker::kLaughFile), 1u);
}

TEST_F(WalkerTest, ItWalksStraightAtTheRiderOnTheWaterAndReachesAStillRiderInTime) {
    ws.rig.state.sightRange = 15;
    walker->spawn({40.0f, 3.0f, 45.0f}, 0.3f);
    const Vec3 to = rider->position() - walker->position();
    const float distance = std::sqrt(to.x * to.x + to.z * to.z);
    const HitTest hitTest;
    int frames = 0;
    while (!hitTest.checkWalkerReached(*rider, *walker) && frames < 1000) {
        const Vec3 before = walker->position();
        walker->walk();
        ++frames;
        const Vec3 step = walker->position() - before;
        ASSERT_NEAR(std::sqrt(step.x * step.x + step.z * step.z), 0.11f, 1e-4f);
        ASSERT_EQ(walker->position().y, ws.water->waterLevel());
    }
    EXPECT_NEAR(frames, (distance - 0.6f) / 0.11f, 1.0f);
    // The water rises under it as it walks.
    ws.water->raiseLevel(0.5f);
    walker->walk();
    EXPECT_EQ(walker->position().y, ws.water->waterLevel());
}

TEST_F(WalkerTest, ItIsDrawnLeaningAlongItsHeadingJustAboveItsPosition) {
    walker->launch();
    for (int frame = 0; frame < 50; ++frame)
        walker->fly();
    walker->draw();
    const auto& draw = ws.rig.graphics.draws().back();
    const Vec3 p = walker->position();
    EXPECT_EQ(transformPoint({}, draw.world), (Vec3{p.x, p.y + 0.2f, p.z}));
    const Vec3 forward = transformNormal({1.0f, 0.0f, 0.0f}, draw.world);
    const float tilt = walker->tilt();
    EXPECT_NEAR(forward.x, 12.0f * std::cos(tilt), 1e-4f);
    EXPECT_NEAR(forward.y, 12.0f * std::sin(tilt), 1e-4f);
    EXPECT_NEAR(forward.z, 0.0f, 1e-4f);
    EXPECT_EQ(draw.texture, nullptr);
}

} // namespace
} // namespace qv::test
