#include "GoalWorkspace.h"

#include "race/RaceScore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace qv::test {
namespace {

// The first goal always lands in the dip by the camera's start eye, the second in the one by
// the field centre (the only spot 20 away from the first).
class GoalCharacterTest : public ::testing::Test {
  protected:
    GoalWorkspace w{dipField({{72, 72}, {45, 55}})};
    std::unique_ptr<PlayGoalCourse> course = w.playCourse();
    RaceScore score{w.state, true};

    // Unpaused race frames: the goal moves and the race counts the frame for the score.
    void updates(int count) {
        for (int i = 0; i < count; ++i) {
            course->update();
            score.countFrame();
        }
    }
    // World positions of the figures drawn, one per figure (each figure draws two subsets).
    std::vector<Vec3> drawnFigures(bool standingShown = true) {
        w.ws.rig.graphics.clearLog();
        course->draw(standingShown);
        std::vector<Vec3> figures;
        const auto& draws = w.ws.rig.graphics.draws();
        for (size_t i = 0; i < draws.size(); i += 2)
            figures.push_back(transformPoint({}, draws[i].world));
        return figures;
    }
};

TEST_F(GoalCharacterTest, AKnockDownFliesAndPlacesTheNextGoalAtOnce) {
    updates(100);
    const Vec3 hit = course->goalPosition();
    const float distance = course->goalDistance();
    const float spin = course->idleSpin();
    course->takePendingDistance();
    score.addKnockDown(course->goalDistance(), 0.25f);
    course->knockDown(0.25f, 0.5f);

    // 500 plus 15000 x / frames, x = distance x speed x 8, from the goal that was hit.
    const float x = distance * 0.25f * 8.0f;
    EXPECT_EQ(score.score(), 500u + static_cast<uint32_t>(15000.0 * x / 100.0));
    EXPECT_FLOAT_EQ(course->goalDistance(),
                    length(course->goalPosition() - Vec3{0.0f, GoalCourse::kLift, 0.0f} - hit));
    EXPECT_EQ(w.ws.rig.sound.playCount(GoalCharacter::kKnockDownFile), 1u);
    EXPECT_FALSE(course->notYetKnockedDown());
    EXPECT_TRUE(course->flying());
    EXPECT_EQ(course->flightPosition(), hit);
    EXPECT_EQ(course->flightRotation(), (Vec3{0.0f, spin, 0.0f}));
    EXPECT_FLOAT_EQ(course->flightVelocity().x, std::cos(0.5f) * 0.25f * 2.7f);
    EXPECT_FLOAT_EQ(course->flightVelocity().y, 0.15f);
    EXPECT_FLOAT_EQ(course->flightVelocity().z, std::sin(0.5f) * 0.25f * 2.7f);
    EXPECT_EQ(course->previousGoalPosition(), hit);
    EXPECT_NEAR(course->goalPosition().x, 45.0f, 0.5f);
    EXPECT_NEAR(course->goalPosition().z, 55.0f, 0.5f);
    EXPECT_EQ(course->takePendingDistance(), course->goalDistance());
}

TEST_F(GoalCharacterTest, AFlightArcsFor121FramesAndCarriesOnAcrossAKnockDown) {
    // The unseen flight from the start has run 100 frames when the goal is hit.
    updates(100);
    course->knockDown(0.2f, 0.0f);
    const Vec3 start = course->flightPosition();
    updates(10);
    EXPECT_FLOAT_EQ(course->flightPosition().y, start.y + 0.15f * 10 - 0.006f * 55);
    EXPECT_FLOAT_EQ(course->flightPosition().x, start.x + 0.2f * 2.7f * 10);
    EXPECT_NEAR(course->flightRotation().x, std::fmod(3.2f, 2 * std::numbers::pi_v<float>), 1e-4f);
    updates(11);
    EXPECT_TRUE(course->flying());
    updates(1);
    EXPECT_FALSE(course->flying());

    course->knockDown(0.2f, 0.0f);
    updates(121);
    EXPECT_TRUE(course->flying());
    updates(1);
    EXPECT_FALSE(course->flying());
    EXPECT_EQ(course->flightFrames(), 0u);
}

TEST_F(GoalCharacterTest, TheGoalSpinsEveryFrameWrappingAtAFullTurn) {
    updates(315);
    EXPECT_NEAR(course->idleSpin(), 315 * 0.02f - 2 * std::numbers::pi_v<float>, 1e-3f);
}

TEST_F(GoalCharacterTest, FiguresShowOnlyNearTheEyeAndTheFlightOnlyAfterAKnockDown) {
    w.state.sightRange = 15; // the first goal is about 13.5 from the start eye
    const Vec3 first = course->goalPosition();
    EXPECT_EQ(drawnFigures(), std::vector<Vec3>{first});
    w.state.sightRange = 8;
    EXPECT_TRUE(drawnFigures().empty());

    w.state.sightRange = 15;
    course->knockDown(0.2f, 0.0f);
    course->update();
    EXPECT_EQ(drawnFigures(), std::vector<Vec3>{course->flightPosition()}); // the new goal is far
    w.state.sightRange = 100;
    EXPECT_EQ(drawnFigures(), (std::vector<Vec3>{course->flightPosition(), course->goalPosition()}));
    // A cleared stage hides the standing goal: the race says so, the goal does not look.
    w.state.stageCleared = true;
    EXPECT_EQ(drawnFigures(), (std::vector<Vec3>{course->flightPosition(), course->goalPosition()}));
    EXPECT_EQ(drawnFigures(false), std::vector<Vec3>{course->flightPosition()});
}

TEST_F(GoalCharacterTest, TheStandingGoalIsTwelveTimesItsSizeFacingItsSpin) {
    updates(30);
    w.state.sightRange = 15;
    course->draw(true);
    const Matrix4& world = w.ws.rig.graphics.draws().back().world;
    const Vec3 facing = transformNormal({1.0f, 0.0f, 0.0f}, world);
    const float spin = course->idleSpin();
    EXPECT_NEAR(facing.x, 12.0f * std::cos(spin), 1e-4f);
    EXPECT_NEAR(facing.y, 0.0f, 1e-4f);
    EXPECT_NEAR(facing.z, 12.0f * std::sin(spin), 1e-4f);
}

} // namespace
} // namespace qv::test
