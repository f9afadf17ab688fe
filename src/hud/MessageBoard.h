#pragma once

#include "game/GameState.h"
#include "hud/OverlayCell.h"
#include "platform/GraphicsDevice.h"
#include "platform/Texture.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qv {

class ContentCache;

// The fixed 2D signs of a scene: the attract demo's mode caption, the stage title, the start,
// race, cleared and finish banners and the remaining-goals display. Each sign is one row of one of
// four lettering sheets on its own quad, timed by its own counter of drawn frames, so a sign's
// animation follows what the player saw rather than the game ticks.
class MessageBoard {
  public:
    // The lettering sheets, in load order; each is four rows of equal height.
    enum class Sheet { Sign, Mode, Stage, Rest };

    static constexpr uint32_t kTitleDelay = 80;        // drawn frames before the stage title shows
    static constexpr uint32_t kStartBannerDelay = 160; // drawn start frames before the banner opens
    static constexpr uint32_t kStartBannerSteps = 63;  // drawn frames the banner takes to open
    static constexpr uint32_t kRaceBannerFrames = 41;
    static constexpr uint32_t kRemainingFrames = 127;
    static constexpr uint32_t kFinishBannerFrames = 500;
    static constexpr uint32_t kFinishBlink = 30; // frames on, then as many off
    static constexpr uint32_t kCaptionBlink = 40;
    static constexpr uint32_t kMaxCycleDigit = 10; // the stage sheet has digit cells 1 to 10

    // Loads str.dds, strd.dds, stagenum.dds and rest.dds; throws FatalError
    // "ERROR : Create Direct3DTexture" when one cannot be made. Clears the intro-done flag.
    MessageBoard(GraphicsDevice& device, ContentCache& content, GameState& state);

    // Every sign sets the identity world transform and its sheet, and draws two-triangle strips
    // in the overlay vertex format the phase has set.
    void drawDemoCaption();
    // From the 81st call on; sets the intro-done flag when it first shows.
    void drawStageTitle();
    void drawStartBanner();
    void drawRaceBanner();
    void drawRemainingGoals();
    // The race banner is done (after a replay's jump: the frames it would have shown in were
    // never drawn).
    void skipRaceBanner() { raceCounter_ = kRaceBannerFrames; }
    void drawClearedBanner();
    void drawFinishBanner();

    const Texture& sheet(Sheet which) const { return *sheets_[static_cast<size_t>(which)]; }

    // The stage's place within its cycle of four (1..4) and the cycle's number (1..10).
    static uint32_t stageInCycle(uint32_t stageNumber);
    static uint32_t cycleOf(uint32_t stageNumber);

  private:
    void show(const OverlayCell& quad, Sheet sheet);
    void drawStageDigits();

    GraphicsDevice& device_;
    GameState& state_;
    std::array<std::unique_ptr<Texture>, 4> sheets_;

    OverlayCell caption_;
    OverlayCell start_;
    OverlayCell race_;
    OverlayCell digit_;
    OverlayCell title_;
    OverlayCell clear_;
    OverlayCell finish_;
    OverlayCell remaining_;

    uint32_t captionCounter_ = 0;
    GameMode captionMode_ = GameMode::Endless;
    uint32_t startCounter_ = 0;
    uint32_t raceCounter_ = 0;
    uint32_t finishCounter_ = 0;
    uint32_t restCounter_ = 0;
    uint32_t restGoals_ = 1;
    uint32_t titleCounter_ = 0;
};

} // namespace qv
