#include "GoalWorkspace.h"

#include "core/FatalError.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

constexpr float kLift = 0.6f;

// The cell centre a raw value names.
float centreOf(int32_t value) {
    return static_cast<float>(value % 100) + 0.5f;
}

TEST(GoalPlacementTest, EveryGoalOnHillsKeepsTheRule) {
    GoalWorkspace w(rollingHills());
    w.state.random.seed(3);
    auto course = w.playCourse();
    const Field& field = *w.ws.field;
    for (int placement = 0; placement < 300; ++placement) {
        const Vec3 goal = course->goalPosition();
        const Vec3 ground{goal.x, goal.y - kLift, goal.z};
        SCOPED_TRACE(placement);
        EXPECT_EQ(goal.x - std::floor(goal.x), 0.5f);
        EXPECT_EQ(goal.z - std::floor(goal.z), 0.5f);
        EXPECT_FLOAT_EQ(ground.y, field.heightAt(goal.x, goal.z));
        EXPECT_GE(ground.y, 0.445f);
        EXPECT_LE(ground.y, 2.8f);
        EXPECT_GE(field.normalAt(goal.x, goal.z).y, 0.9f);
        const float distance = length(ground - course->previousGoalPosition());
        EXPECT_GE(distance, 20.0f);
        EXPECT_FLOAT_EQ(course->goalDistance(), distance);
        course->placeNextGoal();
    }
}

TEST(GoalPlacementTest, FirstGoalIsMeasuredFromTheGroundAtTheCentreAndPendsOnce) {
    GoalWorkspace w(rollingHills());
    auto course = w.playCourse();
    const Vec3 centre{50.0f, w.ws.field->heightAt(50.0f, 50.0f), 50.0f};
    EXPECT_EQ(course->previousGoalPosition(), centre);
    EXPECT_TRUE(course->notYetKnockedDown());
    EXPECT_TRUE(course->flying());
    EXPECT_FLOAT_EQ(course->takePendingDistance(),
                    length(course->goalPosition() - Vec3{0, kLift, 0} - centre));
    EXPECT_EQ(course->takePendingDistance(), 0.0f);
}

TEST(GoalPlacementTest, OnlyTheAcceptedPairIsRecorded) {
    // One goal spot in 2,500 candidates: many pairs are drawn, one reaches the record.
    GoalWorkspace w(dipField({{75, 50}}));
    const uint32_t before = w.state.random.state();
    auto course = w.playCourse();
    const GoalRecord& record = course->record();
    EXPECT_EQ(record.position(), 2u);
    EXPECT_EQ(centreOf(record[0]), course->goalPosition().x);
    EXPECT_EQ(centreOf(record[1]), course->goalPosition().z);
    EXPECT_NEAR(course->goalPosition().x, 75.0f, 0.5f);
    EXPECT_NEAR(course->goalPosition().z, 50.0f, 0.5f);
    EXPECT_EQ(record[2], 0);
    Random replay(before);
    int drawn = 0;
    while (replay.state() != w.state.random.state() && drawn < 1000000) {
        replay.next();
        ++drawn;
    }
    EXPECT_GT(drawn, 2);
    EXPECT_EQ(drawn % 2, 0);
}

TEST(GoalPlacementTest, The257thPlacementStartsTheRecordAgain) {
    GoalWorkspace w(flatAt(1.0f));
    auto course = w.playCourse();
    for (int placement = 2; placement <= 256; ++placement)
        course->placeNextGoal();
    const int32_t secondPlacementX = course->record()[2];
    EXPECT_EQ(course->record().position(), 512u);
    course->placeNextGoal();
    EXPECT_EQ(course->record().position(), 2u);
    EXPECT_EQ(centreOf(course->record()[0]), course->goalPosition().x);
    EXPECT_EQ(centreOf(course->record()[1]), course->goalPosition().z);
    EXPECT_EQ(course->record()[2], secondPlacementX);
}

TEST(GoalPlacementTest, AFieldWithoutAGoalSpotEndsWithAClearErrorInsteadOfHanging) {
    const Heights noSpot[] = {flatAt(0.0f), flatAt(3.0f)};
    for (const Heights& heights : noSpot) {
        GoalWorkspace w(heights);
        EXPECT_THROW(
            {
                try {
                    w.playCourse();
                } catch (const FatalError& e) {
                    EXPECT_STREQ(e.what(), "ERROR : No place for the goal on this field");
                    throw;
                }
            },
            FatalError);
        EXPECT_THROW(w.demoCourse(), FatalError);
    }
}

// A short field file once read as a flat, drowned field, and the goal course then found no spot;
// it is now refused when the field is read, naming the file.
TEST(GoalPlacementTest, AShortFieldFileIsRefusedBeforeAnyGoalIsPlaced) {
    GoalWorkspace w(flatAt(1.0f));
    w.ws.writeFile("Data/Field0.dat", "short");
    try {
        const Field shortField(w.ws.rig.graphics, w.ws.rig.content, w.state, w.ws.rig.options());
        ADD_FAILURE() << "a short field file was read";
    } catch (const FatalError& e) {
        EXPECT_STREQ(e.what(), "ERROR : Cannot open FieldDataFile");
        EXPECT_NE(e.detail().find("Field0.dat: 5 bytes"), std::string::npos) << e.detail();
    }
}

} // namespace
} // namespace qv::test
