#include "race/RaceClock.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace qv::test {
namespace {

class RaceClockTest : public ::testing::Test {
  protected:
    RaceClock make(uint32_t stage) {
        state.stageNumber = stage;
        return RaceClock(state);
    }
    static void tickTimes(RaceClock& clock, int n) {
        for (int i = 0; i < n; ++i)
            clock.tick();
    }

    GameState state;
};

TEST_F(RaceClockTest, StartingTimeShrinksWithTheStage) {
    const std::pair<uint32_t, double> frames[] = {
        {0, 2700}, {1, 2700}, {2, 2500},  {3, 2300}, {4, 2100}, {5, 1800}, {7, 1600},
        {8, 1500}, {9, 1400}, {10, 1300}, {14, 900}, {15, 899}, {40, 899}, {4000000000u, 899}};
    for (auto [stage, start] : frames) {
        EXPECT_EQ(RaceClock::startingTime(stage), start) << "stage " << stage;
        EXPECT_EQ(make(stage).remainingTime(), start) << "stage " << stage;
    }
}

TEST_F(RaceClockTest, EndlessGoalsAddTimeAtARisingDivisor) {
    auto clock = make(0);
    clock.addGoalTime(0.0f); // no new goal this frame
    EXPECT_EQ(clock.goalCount(), 0u);
    clock.addGoalTime(25.0f); // the first goal: 120 * 25 / 8.3 = 361.45
    EXPECT_NEAR(clock.remainingTime(), 2700.0 + 3000.0 / 8.3, 1e-3);
    int ticks = 1;
    while (clock.tick())
        ++ticks;
    EXPECT_EQ(ticks, 3062); // the first tick that leaves it below zero

    auto next = make(0);
    next.addGoalTime(25.0f);
    const double before = next.remainingTime();
    next.addGoalTime(43.0f); // the second goal: divisor 8.6
    EXPECT_NEAR(next.remainingTime() - before, 600.0, 1e-3);
    EXPECT_EQ(next.goalCount(), 2u);
    EXPECT_EQ(state.goalsInStage, 0u);
    EXPECT_FALSE(state.stageCleared);
}

TEST_F(RaceClockTest, StageGoalsUseTheStageDivisorAndTheFifthKnockDownClears) {
    auto stageFour = make(4);
    tickTimes(stageFour, 2099);
    EXPECT_TRUE(stageFour.tick()); // nothing left, yet not below zero
    EXPECT_FALSE(stageFour.tick());

    auto stageTwo = make(2);
    stageTwo.addGoalTime(43.0f); // 120 * 43 / 8.6: about ten seconds, each goal alike
    stageTwo.addGoalTime(43.0f);
    EXPECT_NEAR(stageTwo.remainingTime(), 2500.0 + 1200.0, 1e-3);
    auto stageThree = make(3);
    stageThree.addGoalTime(30.0f);
    EXPECT_EQ(stageThree.goalCount(), 3u) << "a stage's divisor follows its number, not its goals";

    state.goalsInStage = 4; // from the previous stage
    auto clock = make(1);
    EXPECT_EQ(state.goalsInStage, 0u);
    clock.addGoalTime(73.0f); // the first goal: 120 * 73 / 7.3
    EXPECT_NEAR(clock.remainingTime(), 2700.0 + 1200.0, 1e-3);
    for (uint32_t knockDown = 1; knockDown <= RaceClock::kKnockDownsToClear; ++knockDown) {
        EXPECT_FALSE(state.stageCleared) << "knock-down " << knockDown;
        tickTimes(clock, 100);
        clock.addGoalTime(30.0f);
    }
    EXPECT_EQ(RaceClock::kKnockDownsToClear, 5u);
    EXPECT_EQ(state.goalsInStage, 6u);
    EXPECT_TRUE(state.stageCleared);
    const double frozen = clock.remainingTime();
    tickTimes(clock, 5000);
    EXPECT_TRUE(clock.tick());
    EXPECT_EQ(clock.remainingTime(), frozen);
}

TEST_F(RaceClockTest, EndlessGoalsNeverClearAndTicksCountDownOneFrameEach) {
    auto clock = make(0);
    for (int goal = 0; goal < 20; ++goal)
        clock.addGoalTime(30.0f);
    EXPECT_FALSE(state.stageCleared);
    EXPECT_EQ(state.goalsInStage, 0u);
    const double before = clock.remainingTime();
    tickTimes(clock, 7);
    EXPECT_EQ(clock.remainingTime(), before - 7.0);
}

} // namespace
} // namespace qv::test
