#include "GoalWorkspace.h"

#include "characters/HitTest.h"
#include "race/RaceScore.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

using Contact = HitTest::GoalContact;

TEST(HitTestTest, ContactNeedsToBeWithinReachAndKnocksDownOnlyAboveTheSpeed) {
    // Exactly at reach (kept exact by a goal at the origin) is out of reach.
    EXPECT_EQ(HitTest::goalContact({1.15f, 0, 0}, 1.0f, {}), Contact::None);
    EXPECT_EQ(HitTest::goalContact({0, -1.15f, 0}, 1.0f, {}), Contact::None);
    const Vec3 goal{30.0f, 2.0f, 40.0f};
    const float faster = std::nextafter(0.13f, 1.0f);
    EXPECT_EQ(HitTest::goalContact(goal + Vec3{0.8f, -0.6f, 0.6f}, 1.0f, goal), Contact::None); // 1.166
    EXPECT_EQ(HitTest::goalContact(goal + Vec3{0, 0, 1.149f}, 0.13f, goal), Contact::Soft);
    EXPECT_EQ(HitTest::goalContact(goal + Vec3{0, 0, 1.149f}, faster, goal), Contact::Hard);
    EXPECT_EQ(HitTest::goalContact(goal, 0.0f, goal), Contact::Soft);
}

TEST(HitTestTest, ASlowRiderIsPushedBackAndLaughedAtEveryFrameItStaysClose) {
    // The second goal lands in the dip the rider starts in, within reach of it.
    GoalWorkspace w(dipField({{50, 50}, {80, 80}}));
    auto course = w.playCourse();
    course->placeNextGoal();
    const Vec3 goal = course->goalPosition();
    ASSERT_LT(length(w.rider->position() - goal), HitTest::kGoalReach);
    const HitTest hitTest;
    // Only a hard contact is the race's to score.
    EXPECT_EQ(hitTest.checkGoalHit(*w.rider, *course), Contact::Soft);
    EXPECT_EQ(hitTest.checkGoalHit(*w.rider, *course), Contact::Soft);
    EXPECT_EQ(w.ws.rig.sound.playCount(GoalCharacter::kLaughFile), 2u);
    EXPECT_EQ(w.ws.rig.sound.playCount("./Data/wave/boyon.wav"), 2u);
    EXPECT_EQ(course->goalPosition(), goal);
    EXPECT_TRUE(course->notYetKnockedDown());
}

TEST(HitTestTest, NoContactLeavesRiderAndGoalAlone) {
    GoalWorkspace w(dipField({{75, 50}, {45, 62}}));
    auto course = w.playCourse();
    const Vec3 position = w.rider->position();
    const Vec3 goal = course->goalPosition();
    ASSERT_GT(length(position - goal), HitTest::kGoalReach);
    EXPECT_EQ(HitTest().checkGoalHit(*w.rider, *course), Contact::None);
    EXPECT_EQ(w.rider->position(), position);
    EXPECT_EQ(course->goalPosition(), goal);
    EXPECT_EQ(w.ws.rig.sound.playCount("./Data/wave/boyon.wav"), 0u);
    EXPECT_EQ(w.ws.rig.sound.playCount(GoalCharacter::kLaughFile), 0u);
}

TEST(HitTestTest, RidingIntoTheGoalBouncesTheRiderAndLeavesTheKnockDownToTheRace) {
    // Straight along +x from the centre into the one goal spot ahead; the next goal goes aside.
    GoalWorkspace w(dipField({{75, 50}, {45, 62}}), repeat(pedalling(), 600));
    auto course = w.playCourse();
    ASSERT_NEAR(course->goalPosition().x, 75.0f, 0.5f);
    const Vec3 hit = course->goalPosition();
    const float hitDistance = course->goalDistance();
    const HitTest hitTest;
    RaceScore score(w.state, true);
    int frame = 0;
    int hardContacts = 0;
    float speedAtHit = 0.0f;
    Vec3 velocityAtHit;
    // The race phase's frame: rider, goal, the score's frame count, then the hit test.
    while (course->notYetKnockedDown() && frame++ < 600) {
        w.rider->update();
        course->update();
        score.countFrame();
        speedAtHit = w.rider->speed();
        velocityAtHit = w.rider->velocity();
        if (hitTest.checkGoalHit(*w.rider, *course) != Contact::Hard)
            continue;
        ++hardContacts;
        // Bounced, yet still at the speed and direction it hit with; the goal still stands.
        EXPECT_EQ(w.rider->speed(), speedAtHit);
        EXPECT_TRUE(course->notYetKnockedDown());
        EXPECT_EQ(course->goalPosition(), hit);
        EXPECT_EQ(w.ws.rig.sound.playCount(GoalCharacter::kKnockDownFile), 0u);
        EXPECT_EQ(score.score(), 0u);
        score.addKnockDown(course->goalDistance(), w.rider->speed());
        course->knockDown(w.rider->speed(), w.rider->direction());
    }
    ASSERT_FALSE(course->notYetKnockedDown());
    EXPECT_EQ(hardContacts, 1);
    EXPECT_GT(speedAtHit, HitTest::kKnockDownSpeed);
    EXPECT_FLOAT_EQ(w.rider->velocity().x, velocityAtHit.x * -0.8f);
    EXPECT_EQ(course->flightPosition(), hit);
    EXPECT_NEAR(course->goalPosition().z, 62.0f, 0.5f);
    EXPECT_GT(score.score(), 500u);
    EXPECT_EQ(score.score(), RaceScore::pointsFor(hitDistance * speedAtHit * 8.0f, frame));
    EXPECT_EQ(w.ws.rig.sound.playCount(GoalCharacter::kKnockDownFile), 1u);
    EXPECT_EQ(w.ws.rig.sound.playCount(GoalCharacter::kLaughFile), 0u);
}

} // namespace
} // namespace qv::test
