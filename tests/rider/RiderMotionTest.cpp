#include "support/RiderWorkspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace qv::test {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr const char* kJumpSound = "./Data/wave/jump.wav";

class RiderMotionTest : public ::testing::Test {
  protected:
    // A demo rider on the given terrain that replays the given input from its first update.
    Rider& start(const Heights& heights, const std::vector<ControlRecord>& records) {
        ws.writeDemo(records);
        ws.buildWorld(heights);
        rider = ws.demoRider();
        return *rider;
    }

    // Updates until the condition holds (checked after each update); the number of updates.
    int updateUntil(const std::function<bool()>& condition, int limit) {
        for (int tick = 1; tick <= limit; ++tick) {
            rider->update();
            if (condition())
                return tick;
        }
        ADD_FAILURE() << "condition not reached in " << limit << " updates";
        return limit;
    }

    void updates(int count) {
        for (int tick = 0; tick < count; ++tick)
            rider->update();
    }

    void expectOnTheCourse() const {
        const Vec3& p = rider->position();
        EXPECT_GE(p.x, 0.5f);
        EXPECT_LE(p.x, 99.5f);
        EXPECT_GE(p.z, 0.5f);
        EXPECT_LE(p.z, 99.5f);
        EXPECT_GE(p.y, ws.field->heightAt(p.x, p.z));
    }

    RiderWorkspace ws;
    std::unique_ptr<Rider> rider;
};

ControlRecord with(ControlRecord record, uint8_t ControlRecord::*key) {
    record.*key = 1;
    return record;
}

// --- standing and pedalling ---

TEST_F(RiderMotionTest, StartsInTheMiddleOfTheFieldOnTheGround) {
    Rider& r = start([](int i, int j) { return 1.0f + 0.01f * static_cast<float>(i + j); }, {});
    EXPECT_EQ(r.position(), (Vec3{50.0f, 2.0f, 50.0f}));
    EXPECT_EQ(r.state(), RiderState::Ground);
    EXPECT_EQ(r.heading(), 0.0f);
}

TEST_F(RiderMotionTest, AtRestOnLevelGroundStaysExactlyAtRest) {
    Rider& r = start(flatAt(1.0f), {});
    r.setControlEnabled(false);
    for (int tick = 0; tick < 300; ++tick) {
        r.update();
        ASSERT_EQ(r.position(), (Vec3{50.0f, 1.0f, 50.0f})) << "tick " << tick;
        ASSERT_EQ(r.state(), RiderState::Ground);
        ASSERT_EQ(r.speed(), 0.0f);
        ASSERT_EQ(r.waterContact(), 0);
    }
    EXPECT_EQ(r.pitch(), 0.0f);
    EXPECT_EQ(r.roll(), 0.0f);
}

TEST_F(RiderMotionTest, WithoutControlTheRecordingIsNeitherReadNorUsed) {
    Rider& r = start(flatAt(1.0f), repeat(pedalling(), 50));
    r.setControlEnabled(false);
    updates(100);
    EXPECT_EQ(r.position().x, 50.0f);
    r.setControlEnabled(true);
    updates(50);
    // The 50 pedalling records were all still there when control came on.
    EXPECT_GT(r.speed(), 0.08f);
}

TEST_F(RiderMotionTest, PedallingApproachesATopSpeedOfAbout029) {
    Rider& r = start(flatAt(1.0f), repeat(pedalling(), 300));
    float samples[3];
    for (float& sample : samples) {
        updates(80);
        sample = r.speed();
    }
    EXPECT_LT(samples[2], 0.29f);
    EXPECT_GT(samples[1], samples[0]);
    EXPECT_GT(samples[2], samples[1]);
    // The speed closes on its limit geometrically; extrapolate the limit from three samples.
    const float d1 = samples[1] - samples[0];
    const float d2 = samples[2] - samples[1];
    const float limit = samples[2] - d2 * d2 / (d2 - d1);
    EXPECT_NEAR(limit, 0.2857f, 0.003f);
    EXPECT_NEAR(r.direction(), 0.0f, 1e-6f);
    EXPECT_EQ(r.position().z, 50.0f);
}

TEST_F(RiderMotionTest, BackPedallingRollsBackwardsSlowly) {
    ControlRecord back;
    back.backPedal = 1;
    Rider& r = start(flatAt(1.0f), repeat(back, 200));
    updates(200);
    EXPECT_LT(r.velocity().x, -0.05f);
    EXPECT_GT(r.velocity().x, -0.115f);
    EXPECT_EQ(r.heading(), 0.0f); // still facing +x
}

TEST_F(RiderMotionTest, ABoostFromRestCarriesTheRiderToAbout0085PerTick) {
    ControlRecord boost;
    boost.boost = 1;
    Rider& r = start(flatAt(1.0f), repeat(boost, 400));
    updates(23);
    EXPECT_NEAR(r.velocity().x, 0.085f, 0.002f);
    const float afterBoost = r.velocity().x;
    updates(50);
    EXPECT_LT(r.velocity().x, afterBoost); // the held key gives nothing while the gauge refills
    EXPECT_LT(r.gauge(), 1.0f);
}

TEST_F(RiderMotionTest, BrakingStopsTheRiderWithoutRollingItBack) {
    std::vector<ControlRecord> input = repeat(pedalling(), 100);
    ControlRecord brake;
    brake.brake = 1;
    append(input, brake, 200);
    Rider& r = start(flatAt(1.0f), input);
    updates(100);
    const float cruising = r.velocity().x;
    const int ticksToStop = updateUntil([&] { return r.velocity().x <= 1e-6f; }, 200);
    // About 0.0017 a tick off the speed, on top of the rolling drag.
    EXPECT_GT(ticksToStop, 50);
    EXPECT_LT(ticksToStop, static_cast<int>(cruising / 0.0017f) + 2);
    updates(50);
    EXPECT_NEAR(r.velocity().x, 0.0f, 1e-6f);
}

// --- steering and skidding ---

TEST_F(RiderMotionTest, SteeringLeftTurnsLeftAtMostOneTenthPerTick) {
    std::vector<ControlRecord> input = repeat(pedalling(), 100);
    append(input, pedalling(1.0f), 30);
    append(input, pedalling(), 40);
    Rider& r = start(flatAt(1.0f), input);
    updates(100);
    float maxTurn = 0.0f;
    for (int tick = 0; tick < 30; ++tick) {
        r.update();
        maxTurn = std::max(maxTurn, r.turnRate());
        EXPECT_EQ(r.state(), RiderState::Ground);
    }
    EXPECT_EQ(maxTurn, 0.1f);
    EXPECT_GT(r.position().z, 51.0f); // a left turn heads towards +z
    // Let go: the turn dies away within a few ticks.
    updates(15);
    EXPECT_LT(r.turnRate(), 0.001f);
    EXPECT_GT(r.turnRate(), 0.0f);
}

TEST_F(RiderMotionTest, HeadingStaysWithinPlusMinusPiTurningEitherWay) {
    std::vector<ControlRecord> input = repeat(pedalling(-1.0f), 300);
    append(input, pedalling(1.0f), 600);
    Rider& r = start(flatAt(1.0f), input);
    float lowest = 0.0f, highest = 0.0f;
    for (int tick = 0; tick < 900; ++tick) {
        r.update();
        ASSERT_GT(r.heading(), -kPi);
        ASSERT_LE(r.heading(), kPi);
        lowest = std::min(lowest, r.heading());
        highest = std::max(highest, r.heading());
    }
    EXPECT_LT(lowest, -3.0f);
    EXPECT_GT(highest, 3.0f);
}

TEST_F(RiderMotionTest, ABrakedFullTurnSkidsAndGripsAgainWhenTheTurnDiesDown) {
    std::vector<ControlRecord> input = repeat(pedalling(), 100);
    ControlRecord brakedTurn;
    brakedTurn.brake = 1;
    brakedTurn.steer = 1.0f;
    append(input, brakedTurn, 40);
    Rider& r = start(flatAt(1.0f), input);
    updates(100);
    const int ticksToSkid = updateUntil([&] { return r.state() == RiderState::Skid; }, 40);
    EXPECT_LE(ticksToSkid, 5);
    float fastestTurn = 0.0f;
    updateUntil(
        [&] {
            fastestTurn = std::max(fastestTurn, r.turnRate());
            return r.state() == RiderState::Ground;
        },
        400);
    EXPECT_GT(fastestTurn, 0.3f); // a skid has no turn limit
    EXPECT_LT(std::abs(r.turnRate()), 0.05f);
}

// --- the course limits ---

TEST_F(RiderMotionTest, TheZEdgeStopsTheRiderAndTurnsItGently) {
    std::vector<ControlRecord> input = repeat(pedalling(), 60);
    append(input, pedalling(1.0f), 16);
    append(input, pedalling(), 600);
    Rider& r = start(flatAt(1.0f), input);
    updateUntil([&] { return r.position().z == 99.5f; }, 600);
    EXPECT_EQ(r.velocity().z, 0.0f);
    EXPECT_EQ(r.turnRate(), 0.01f);
    // The edge drops it to the float height, and the dry ground puts it straight back on top.
    EXPECT_EQ(r.state(), RiderState::Ground);
    EXPECT_EQ(r.position().y, 1.0f);
    for (int tick = 0; tick < 100; ++tick) {
        r.update();
        expectOnTheCourse();
    }
}

TEST_F(RiderMotionTest, TheXEdgeOnlyStopsTheRider) {
    Rider& r = start(flatAt(1.0f), repeat(pedalling(), 600));
    updateUntil([&] { return r.position().x == 99.5f; }, 600);
    EXPECT_EQ(r.velocity().x, 0.0f);
    EXPECT_EQ(r.turnRate(), 0.0f);
    EXPECT_EQ(r.state(), RiderState::Ground);
    updates(20);
    EXPECT_EQ(r.position().x, 99.5f);
}

// --- slopes, jumps and flight ---

TEST_F(RiderMotionTest, ASlopeTooSteepToClimbPushesTheRiderBack) {
    // Level up to x = 55, then a wall rising 2 units per unit (normal y about 0.45).
    Rider& r = start([](int i, int) { return i <= 55 ? 1.0f : std::min(1.0f + 2.0f * (i - 55), 30.0f); },
                     repeat(pedalling(), 400));
    bool pushedBack = false;
    for (int tick = 0; tick < 400; ++tick) {
        r.update();
        ASSERT_LT(r.position().x, 55.2f) << "climbed the wall at tick " << tick;
        ASSERT_LT(r.position().y, 1.5f);
        pushedBack = pushedBack || (r.position().x > 54.0f && r.velocity().x < -0.01f);
    }
    EXPECT_TRUE(pushedBack);
}

TEST_F(RiderMotionTest, TheBodyLeansWithTheSlopeUnderIt) {
    // Rising towards +z: the normal tips back towards -z.
    Rider& r = start([](int, int j) { return 1.0f + 0.2f * static_cast<float>(j); }, {});
    updates(60);
    EXPECT_NEAR(r.pitch(), std::atan2(-0.2f, 1.0f), 0.01f);
    EXPECT_NEAR(r.roll(), 0.0f, 0.01f);
}

TEST_F(RiderMotionTest, AGentleCrossSlopeBarelyMovesAStandingTricycle) {
    // The wheels grip while the sideways slip is tiny; the rider faces +x, the slope falls to -z.
    Rider& r = start([](int, int j) { return 1.0f + 0.1f * static_cast<float>(j); }, {});
    updates(200);
    EXPECT_LT(r.position().z, 50.0f);
    EXPECT_GT(r.position().z, 49.8f);
    EXPECT_NEAR(r.position().x, 50.0f, 1e-3f);
}

TEST_F(RiderMotionTest, HoldingJumpJumpsOnceAlongTheNormalThenLands) {
    ControlRecord jump;
    jump.jump = 1;
    Rider& r = start(flatAt(1.0f), repeat(jump, 10));
    r.update();
    EXPECT_EQ(r.state(), RiderState::Air);
    EXPECT_NEAR(r.position().y, 1.0f + 0.064f - 0.0055f, 1e-6f);
    const int toLanding = updateUntil([&] { return r.state() == RiderState::Ground; }, 100);
    EXPECT_NEAR(toLanding, 21, 2);
    EXPECT_EQ(ws.rig.sound.playCount(kJumpSound), 1u); // held, but only on the ground
    EXPECT_EQ(r.position().x, 50.0f);
}

TEST_F(RiderMotionTest, InTheAirTheArrowsTurnTheRiderDirectly) {
    ControlRecord jump;
    jump.jump = 1;
    ControlRecord left;
    left.left = 1;
    std::vector<ControlRecord> input = {jump};
    append(input, left, 10);
    Rider& r = start(flatAt(1.0f), input);
    updates(11);
    EXPECT_EQ(r.state(), RiderState::Air);
    EXPECT_GT(r.heading(), 0.1f);
    EXPECT_LE(r.turnRate(), 0.1f);
}

TEST_F(RiderMotionTest, LeavingARampAtSpeedFliesOnPastItsTop) {
    // Level, a ramp rising 0.5 per unit from x = 56 to 60, level again at the top.
    Rider& r = start([](int i, int) { return 1.0f + 0.5f * static_cast<float>(std::clamp(i - 56, 0, 4)); },
                     repeat(pedalling(), 400));
    updateUntil([&] { return r.position().x > 60.0f; }, 400);
    EXPECT_EQ(r.state(), RiderState::Air);
    EXPECT_GT(r.velocity().y, 0.0f);
    updateUntil([&] { return r.state() == RiderState::Ground; }, 100);
    EXPECT_GT(r.position().x, 61.0f);
}

// --- water ---

TEST_F(RiderMotionTest, InDeepWaterTheRiderFloatsBetween0365And0385) {
    const ControlRecord landKeys = with(with(pedalling(), &ControlRecord::jump), &ControlRecord::brake);
    // The first update still starts on the sea bed, on the ground; keys only from the second.
    std::vector<ControlRecord> records = repeat(ControlRecord{}, 1);
    append(records, landKeys, 500);
    Rider& r = start(flatAt(0.0f), records);
    r.update();
    EXPECT_EQ(r.state(), RiderState::Water);
    EXPECT_EQ(r.waterContact(), 2); // reaching the water
    // Lifted from the sea bed to the surface in one tick, the rider keeps that climb as
    // velocity and is thrown high once; let it come down.
    updates(200);
    float lowest = 1.0f, highest = 0.0f;
    for (int tick = 0; tick < 299; ++tick) {
        r.update();
        ASSERT_EQ(r.state(), RiderState::Water);
        ASSERT_EQ(r.waterContact(), 1);
        lowest = std::min(lowest, r.position().y);
        highest = std::max(highest, r.position().y);
    }
    EXPECT_NEAR(lowest, 0.365f, 1e-4f);
    EXPECT_NEAR(highest, 0.385f, 1e-4f);
    // No pedalling, jumping or braking in the water.
    EXPECT_NEAR(r.position().x, 50.0f, 1e-6f);
    EXPECT_EQ(ws.rig.sound.playCount(kJumpSound), 0u);
}

TEST_F(RiderMotionTest, InTheWaterTheArrowsTurnAndTheBoostMoves) {
    ControlRecord input;
    input.left = 1;
    input.boost = 1;
    std::vector<ControlRecord> records = repeat(ControlRecord{}, 200);
    append(records, input, 20);
    Rider& r = start(flatAt(0.0f), records);
    updates(220);
    EXPECT_GT(r.heading(), 0.3f);
    EXPECT_LT(r.heading(), 1.0f);
    EXPECT_GT(r.position().x, 50.5f);
    EXPECT_EQ(r.pitch(), 0.0f); // the tilt keeps its last value afloat
}

TEST_F(RiderMotionTest, RidingOffTheShoreSplashesDownThenFloats) {
    Rider& r = start([](int i, int) { return i <= 55 ? 1.0f : 0.0f; }, repeat(pedalling(), 400));
    updateUntil([&] { return r.waterContact() != 0; }, 400);
    // Below the water level but still above the float height: still falling, getting wet.
    EXPECT_EQ(r.waterContact(), 2);
    updateUntil([&] { return r.state() == RiderState::Water; }, 20);
    r.update();
    EXPECT_EQ(r.waterContact(), 1);
    // Still drifting out, slowing down, no longer pushed by the pedals.
    const float drift = r.velocity().x;
    updates(50);
    EXPECT_GT(r.velocity().x, 0.0f);
    EXPECT_LT(r.velocity().x, drift);
    EXPECT_EQ(r.state(), RiderState::Water);
}

TEST_F(RiderMotionTest, RisingWaterCarriesTheRiderUp) {
    Rider& r = start(flatAt(1.0f), {});
    updates(5);
    EXPECT_EQ(r.state(), RiderState::Ground);
    for (int tick = 0; tick < 200; ++tick) {
        ws.water->raiseLevel(0.008f);
        r.update();
    }
    EXPECT_EQ(r.state(), RiderState::Water);
    EXPECT_NEAR(r.position().y, ws.water->waterLevel() - 0.07f, 0.0101f);
}

// --- bumps ---

TEST_F(RiderMotionTest, AHardBumpThrowsTheRiderBackUpAndTakesMostOfItsSpeed) {
    Rider& r = start(flatAt(1.0f), repeat(pedalling(), 200));
    updates(100);
    const Vec3 before = r.position();
    const float speed = r.velocity().x;
    r.bump(true);
    EXPECT_NEAR(r.position().x, before.x - 0.8f * speed, 1e-5f);
    EXPECT_GT(r.position().y, 1.03f);
    EXPECT_EQ(r.state(), RiderState::Air);
    EXPECT_EQ(ws.rig.sound.playCount("./Data/wave/boyon.wav"), 1u);
    // The tick's move and the throw back leave a fifth of the speed for the next tick.
    r.update();
    EXPECT_GT(r.velocity().x, 0.0f);
    EXPECT_LT(r.velocity().x, 0.25f * speed);
    EXPECT_GT(r.velocity().y, 0.0f);
}

TEST_F(RiderMotionTest, ASoftBumpMovesTheRiderTwoTenthsBackAlongItsMotion) {
    Rider& r = start(flatAt(1.0f), repeat(pedalling(), 200));
    updates(30);
    const Vec3 before = r.position();
    const Vec3 motion = r.velocity(); // includes this tick's pull of gravity
    r.bump(false);
    const Vec3 moved = r.position() - before;
    EXPECT_NEAR(length(moved), 0.2f, 1e-5f);
    EXPECT_LT(moved.x, -0.19f);
    EXPECT_NEAR(moved.y / moved.x, motion.y / motion.x, 1e-4f);
    EXPECT_EQ(r.state(), RiderState::Air);
}

TEST_F(RiderMotionTest, ASoftBumpAtRestHopsStraightUpAndSettlesWhereItWas) {
    Rider& r = start(flatAt(1.0f), {});
    updates(3);
    r.bump(false);
    // At rest the only motion left is gravity's pull, so the rider is lifted straight up.
    EXPECT_EQ(r.position(), (Vec3{50.0f, 1.2f, 50.0f}));
    updateUntil([&] { return r.state() == RiderState::Ground; }, 100);
    updates(30);
    EXPECT_EQ(r.position(), (Vec3{50.0f, 1.0f, 50.0f}));
    EXPECT_EQ(r.speed(), 0.0f);
}

TEST_F(RiderMotionTest, BumpsNeverLeaveTheCourseOrGoUnderground) {
    // Pinned against the far x wall on a slope, bumped every tick.
    Rider& r = start([](int i, int j) { return 1.0f + 0.05f * static_cast<float>(i + j); },
                     repeat(pedalling(), 900));
    for (int tick = 0; tick < 900; ++tick) {
        r.update();
        r.bump(tick % 2 == 0);
        expectOnTheCourse();
    }
}

} // namespace
} // namespace qv::test
