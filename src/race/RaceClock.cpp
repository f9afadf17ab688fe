#include "race/RaceClock.h"

namespace qv {

namespace {

constexpr double kEndlessStart = 2700.0;
constexpr double kLowestStart = 900.0;
constexpr double kFloorStart = 899.0; // what a start below the lowest becomes

// Speed divisors: the time for a goal is the frames to cover its distance at a / 120 per frame.
constexpr double kStageBase = 6.0;
constexpr double kStageStep = 1.3;
constexpr double kEndlessBase = 8.0;
constexpr double kEndlessStep = 0.3;
constexpr double kFramesPerUnit = 0.008333334;

} // namespace

RaceClock::RaceClock(GameState& game)
    : game_(game), stageMode_(game.stageNumber != 0), remaining_(startingTime(game.stageNumber)),
      goalCount_(stageMode_ ? game.stageNumber : 0) {
    game_.goalsInStage = 0;
}

double RaceClock::startingTime(uint32_t stageNumber) {
    const double n = stageNumber;
    if (stageNumber == 0)
        return kEndlessStart;
    if (stageNumber <= 4)
        return 2900.0 - 200.0 * n;
    const double start = 2300.0 - 100.0 * n;
    return start < kLowestStart ? kFloorStart : start;
}

void RaceClock::addGoalTime(float distance) {
    if (distance == 0.0f)
        return;
    double a;
    if (stageMode_) {
        game_.goalsInStage += 1;
        if (game_.goalsInStage > kKnockDownsToClear)
            game_.stageCleared = true;
        a = goalCount_ * kStageStep + kStageBase;
    } else {
        goalCount_ += 1;
        a = goalCount_ * kEndlessStep + kEndlessBase;
    }
    remaining_ += distance / (a * kFramesPerUnit);
}

bool RaceClock::tick() {
    if (!game_.stageCleared)
        remaining_ -= 1.0;
    return remaining_ >= 0.0;
}

} // namespace qv
