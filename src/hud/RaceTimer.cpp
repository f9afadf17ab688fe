#include "hud/RaceTimer.h"

#include <algorithm>

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

constexpr double kFramesPerSecond = 60.0;
constexpr double kCatchUpGap = 15.0;

constexpr float kDigitTop = 5.0f;
constexpr float kDigitBottom = 97.0f;
constexpr float kDigitWidth = 40.0f;
constexpr float kFirstDigitLeft = 80.0f;
constexpr uint32_t kMaxDigits = 3;

// The half-transparent panel behind the digits.
constexpr float kPanelLeft = 30.0f, kPanelTop = 0.0f, kPanelRight = 130.0f, kPanelBottom = 102.0f;
constexpr Argb kPanelColour = 0xBBFFFFFF;

} // namespace

RaceTimer::RaceTimer(GraphicsDevice& device, GameState& game)
    : device_(device), game_(game), stageMode_(game.stageNumber != 0),
      digit_(0.0f, kDigitTop, kDigitWidth, kDigitBottom, 0xFFFFFFFF),
      back_(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, kPanelColour),
      remaining_(startingTime(game.stageNumber)), shown_(remaining_),
      goalCount_(stageMode_ ? game.stageNumber : 0) {
    digitTexture_ = loadOverlayTexture(device_, kDigitTexture);
    backTexture_ = loadOverlayTexture(device_, kBackTexture);
    game_.goalsInStage = 0;
}

double RaceTimer::startingTime(uint32_t stageNumber) {
    const double n = stageNumber;
    if (stageNumber == 0)
        return kEndlessStart;
    if (stageNumber <= 4)
        return 2900.0 - 200.0 * n;
    const double start = 2300.0 - 100.0 * n;
    return start < kLowestStart ? kFloorStart : start;
}

void RaceTimer::addGoalTime(float distance) {
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

bool RaceTimer::tick() {
    if (!game_.stageCleared)
        remaining_ -= 1.0;
    return remaining_ >= 0.0;
}

Argb RaceTimer::digitColour(double remaining) {
    if (remaining >= 1860.0)
        return 0xFF8888FF;
    if (remaining >= 1260.0)
        return 0xFF88FF88;
    if (remaining >= 660.0)
        return 0xFFFFFF66;
    return 0xFFFF6666;
}

uint32_t RaceTimer::secondsOf(double frames) {
    // Clamped first: converting a value outside the integer range is undefined.
    return static_cast<uint32_t>(std::clamp(frames / kFramesPerSecond, 0.0, 4.0e9));
}

void RaceTimer::draw() {
    digit_.setColour(digitColour(remaining_));
    device_.setTransform(TransformKind::World, Matrix4::identity());
    device_.setTexture(backTexture_.get());
    back_.draw(device_);
    device_.setTexture(digitTexture_.get());
    followRemaining();
    const uint32_t seconds = secondsOf(shown_);
    digit_.drawNumber(device_, seconds, seconds >= 100 ? kMaxDigits : 2, kFirstDigitLeft, kDigitWidth);
}

// The display drops at once and climbs one frame a drawn frame, or 16 while far behind.
void RaceTimer::followRemaining() {
    if (shown_ > remaining_)
        shown_ = remaining_;
    if (shown_ < remaining_)
        shown_ += 1.0;
    if (remaining_ - kCatchUpGap > shown_ && shown_ > kCatchUpGap)
        shown_ += kCatchUpGap;
}

} // namespace qv
