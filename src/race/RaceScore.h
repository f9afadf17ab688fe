#pragma once

#include "assets/PlayerFiles.h"
#include "core/Random.h"
#include "core/SaveResult.h"
#include "game/GameState.h"
#include "race/ScoreFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// The score of one run and the high-score table it plays against. The table is read when the
// score is built; whether the run is a new best is asked for when the run ends, and only then is
// the table written back (the scene's finish step).
class RaceScore {
  public:
    // A knock-down is worth goal distance x rider speed x this, before the time bonus.
    static constexpr float kPointsPerDistanceSpeed = 8.0f;

    // Plays against the entry of the game's stage (fixed for the run) in the player's score
    // table; with initializeScores the stored table is ignored and every mode's best is 0. The
    // demo never makes a new best.
    RaceScore(const GameState& game, bool initializeScores, const PlayerFiles& files = PlayerFiles());

    // One unpaused race frame; the race phase counts it after the goal's update.
    void countFrame() { ++framesSinceKnockDown_; }
    // The rider knocked down a goal that stood goalDistance from the one before at speed.
    void addKnockDown(float goalDistance, float speed) {
        ++knockDowns_;
        addPoints(goalDistance * speed * kPointsPerDistanceSpeed);
    }
    // 500 points plus a bonus that grows with x and shrinks with the frames since the previous
    // knock-down.
    void addPoints(float x);

    uint32_t score() const { return score_; }
    uint32_t knockDowns() const { return knockDowns_; }
    uint32_t modeHighScore() const { return modeHighScore_; }
    int32_t framesSinceKnockDown() const { return framesSinceKnockDown_; }
    const HighScoreTable& highScores() const { return table_; }
    // A player's run (never the demo) that has beaten the high score of its mode.
    bool newBest() const { return newBest_; }

    // Enters a new best into its mode and writes score.dat and HiScore.txt (drawing the file's
    // permutation from random); nothing when the run is no new best.
    SaveResult saveTable(Random& random);

    // Table entry of a stage number: 0 for endless; stages 1 to 4, then 5 and on reuse 1 to 4.
    static size_t tableIndex(uint32_t stageNumber);
    // Points for a knock-down worth x after frames frames (at least 1 is assumed).
    static uint32_t pointsFor(float x, int32_t frames);

  private:
    const bool demo_;
    const std::string tablePath_;
    const std::string textPath_;
    const size_t entry_; // the table entry of the run's mode
    HighScoreTable table_{};
    uint32_t score_ = 0;
    uint32_t knockDowns_ = 0;
    uint32_t modeHighScore_ = 0;
    int32_t framesSinceKnockDown_ = 0;
    bool newBest_ = false;
};

} // namespace qv
