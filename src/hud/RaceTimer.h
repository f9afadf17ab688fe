#pragma once

#include "game/GameState.h"
#include "hud/OverlayCell.h"
#include "platform/GraphicsDevice.h"
#include "platform/Texture.h"

#include <cstdint>
#include <memory>

namespace qv {

// The countdown of a run, in frames. Every new goal adds the time to ride its distance; in a
// stage the goals are counted too, and the goal placed after the fifth knock-down clears the
// stage, which freezes the time. Shows the remaining seconds in the top left corner.
class RaceTimer {
  public:
    static constexpr const char* kDigitTexture = "./Data/tex/timenum.dds";
    static constexpr const char* kBackTexture = "./Data/tex/timeback.dds";
    // The first goal arrives at the start, so the goal placed after this many knock-downs clears.
    static constexpr uint32_t kKnockDownsToClear = 5;

    // Throws FatalError "ERROR : Create Direct3DTexture" when either picture cannot be made.
    // Resets the goals-in-stage counter.
    RaceTimer(GraphicsDevice& device, GameState& game);

    // The new goal's distance, or 0 when no goal was placed this frame. Called before tick.
    void addGoalTime(float distance);
    // One race frame: false once the time has run out. Stands still once the stage is cleared.
    bool tick();
    // The phase has set the overlay vertex format.
    void draw();

    double remainingTime() const { return remaining_; }
    double shownTime() const { return shown_; }
    uint32_t goalCount() const { return goalCount_; }

    // Frames a run of this stage starts with (0: endless).
    static double startingTime(uint32_t stageNumber);
    // Digit colour: blue with time to spare, then green, yellow and red.
    static Argb digitColour(double remaining);
    // Whole seconds of a frame count, never negative.
    static uint32_t secondsOf(double frames);

  private:
    void followRemaining();

    GraphicsDevice& device_;
    GameState& game_;
    const bool stageMode_;
    OverlayCell digit_;
    OverlayCell back_;
    // Released in reverse order: the digits first, then the panel.
    std::unique_ptr<Texture> backTexture_;
    std::unique_ptr<Texture> digitTexture_;
    double remaining_;
    double shown_;
    uint32_t goalCount_;
};

} // namespace qv
