#pragma once

#include "game/GameState.h"
#include "app/Settings.h"
#include "hud/OverlayCell.h"
#include "race/ScoreFile.h"
#include "platform/GraphicsDevice.h"
#include "platform/SoundSystem.h"
#include "platform/Texture.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qv {

// The score of one run and the high-score table it plays against, with the score display in the
// top right corner. The table is read when the board is built; when the run beat the high score
// of its mode, the new-high-score flag is set and the board writes the table back when it is
// destroyed (after the recorders, which read the same flag, have written theirs).
class ScoreBoard {
  public:
    static constexpr const char* kDigitTexture = "./Data/tex/num.dds";
    static constexpr const char* kCountSound = "./data/wave/score.wav";
    static constexpr const char* kBangSound = "./data/wave/bang.wav";
    static constexpr int32_t kBangWait = 56; // stage-clear wait at which the stamp lands

    // Throws FatalError "ERROR : Create Direct3DTexture" when the digit sheet cannot be made.
    // Clears the new-high-score flag; with SCORE/INITIALIZE set the stored table is ignored.
    ScoreBoard(GraphicsDevice& device, SoundSystem& sound, GameState& game, const Settings& settings);
    // Writes ./Data/score.dat and ./HiScore.txt when the run set a new high score.
    ~ScoreBoard();
    ScoreBoard(const ScoreBoard&) = delete;
    ScoreBoard& operator=(const ScoreBoard&) = delete;

    // A knock-down, given x = goal distance x rider speed x 8: 500 points plus a bonus that grows
    // with x and shrinks with the frames since the previous knock-down.
    void addPoints(float x);
    // One unpaused race frame; called by the goal's update before the hit test.
    void countFrame() { ++framesSinceKnockDown_; }

    // The phase has set the overlay vertex format. Also advances the count-up.
    void draw();

    uint32_t score() const { return score_; }
    uint32_t shownScore() const { return shownScore_; }
    uint32_t modeHighScore() const { return modeHighScore_; }
    int32_t framesSinceKnockDown() const { return framesSinceKnockDown_; }
    float stampZoom() const { return stampZoom_; }
    const HighScoreTable& highScores() const { return table_; }

    // Table entry of a stage number: 0 for endless; stages 1 to 4, then 5 and on reuse 1 to 4.
    static size_t tableIndex(uint32_t stageNumber);
    // Points for a knock-down worth x after frames frames (at least 1 is assumed).
    static uint32_t pointsFor(float x, int32_t frames);

  private:
    void countUp();
    void drawBanner();
    void drawStamp();

    GraphicsDevice& device_;
    GameState& game_;
    OverlayCell cell_;
    std::unique_ptr<Texture> digitTexture_;
    std::unique_ptr<SoundClip> countClip_;
    std::unique_ptr<SoundClip> bangClip_;
    uint32_t score_ = 0;
    uint32_t modeHighScore_ = 0;
    uint32_t shownScore_ = 0;
    int32_t framesSinceKnockDown_ = 0;
    uint32_t bannerCounter_ = 0;
    float stampZoom_ = 3.0f;
    HighScoreTable table_{};
};

} // namespace qv
