#include "race/RaceScore.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr uint32_t kBasePoints = 500;
constexpr float kBonusFactor = -15000.0f;
constexpr float kPenaltyLimit = 1.0e9f;

} // namespace

RaceScore::RaceScore(const GameState& game, bool initializeScores, const PlayerFiles& files)
    : demo_(game.demoMode), tablePath_(files.scoreTable()), textPath_(files.scoreText()),
      entry_(tableIndex(game.stageNumber)) {
    if (!initializeScores)
        table_ = ScoreFile::load(tablePath_);
    modeHighScore_ = table_[entry_];
}

size_t RaceScore::tableIndex(uint32_t stageNumber) {
    if (stageNumber == 0)
        return 0;
    const uint32_t stage = stageNumber % 4;
    return stage == 0 ? 4 : stage;
}

uint32_t RaceScore::pointsFor(float x, int32_t frames) {
    // The race counts a frame before every hit test; guard the division anyway.
    const float n = static_cast<float>(std::max(frames, 1));
    const float penalty = x * kBonusFactor / n;
    // Truncating a value outside the integer range is undefined: keep it within reach.
    const float safe = std::isnan(penalty) ? 0.0f : std::clamp(penalty, -kPenaltyLimit, kPenaltyLimit);
    return kBasePoints - static_cast<uint32_t>(static_cast<int32_t>(safe));
}

void RaceScore::addPoints(float x) {
    score_ += pointsFor(x, framesSinceKnockDown_);
    framesSinceKnockDown_ = 0;
    if (!demo_ && score_ > modeHighScore_)
        newBest_ = true;
}

SaveResult RaceScore::saveTable(Random& random) {
    if (!newBest_)
        return {};
    table_[entry_] = score_;
    modeHighScore_ = score_;
    return ScoreFile::save(table_, random, tablePath_, textPath_);
}

} // namespace qv
