#pragma once

#include "assets/DataFiles.h"
#include "game/GameState.h"
#include "hud/OverlayCell.h"
#include "platform/GraphicsDevice.h"
#include "platform/SoundSystem.h"
#include "platform/Texture.h"
#include "race/RaceScore.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qv {

class ContentCache;

// The score display in the top right corner: the run's score counting up (the attract demo shows
// the mode's high score instead), the blinking high-score banner and the stamp that lands when a
// stage is cleared with a new best. It only shows what the race's score says.
class ScoreBoard {
  public:
    static constexpr const char* kDigitTexture = data::kScoreDigitTexture;
    static constexpr const char* kCountSound = data::kScoreCountSound;
    static constexpr const char* kBangSound = data::kStampSound;
    static constexpr int32_t kBangWait = 56; // stage-clear wait at which the stamp lands

    // Throws FatalError "ERROR : Create Direct3DTexture" when the digit sheet cannot be made.
    ScoreBoard(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const GameState& game,
               const RaceScore& score);
    ~ScoreBoard();
    ScoreBoard(const ScoreBoard&) = delete;
    ScoreBoard& operator=(const ScoreBoard&) = delete;

    // The phase has set the overlay vertex format. Also advances the count-up.
    void draw();

    uint32_t shownScore() const { return shownScore_; }
    // Shows the score at once, without counting up to it (after a replay's jump).
    void settle();
    float stampZoom() const { return stampZoom_; }

  private:
    void countUp();
    void drawBanner();
    void drawStamp();

    GraphicsDevice& device_;
    const GameState& game_;
    const RaceScore& score_;
    OverlayCell cell_;
    std::unique_ptr<Texture> digitTexture_;
    std::unique_ptr<SoundClip> countClip_;
    std::unique_ptr<SoundClip> bangClip_;
    uint32_t shownScore_ = 0;
    uint32_t bannerCounter_ = 0;
    float stampZoom_ = 3.0f;
};

} // namespace qv
