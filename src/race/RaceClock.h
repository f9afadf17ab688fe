#pragma once

#include "game/GameState.h"

#include <cstdint>

namespace qv {

// The countdown of a run, in frames, and the rule that clears a stage. Every new goal adds the
// time to ride its distance; in a stage the goals are counted too, and the goal placed after the
// fifth knock-down clears the stage, which freezes the time. The race phase owns it; the race
// timer shows it.
class RaceClock {
  public:
    // The first goal arrives at the start, so the goal placed after this many knock-downs clears.
    static constexpr uint32_t kKnockDownsToClear = 5;

    // The starting time of the game's stage; resets the goals-in-stage counter.
    explicit RaceClock(GameState& game);

    // The new goal's distance, or 0 when no goal was placed this frame. Called before tick.
    void addGoalTime(float distance);
    // One race frame: false once the time has run out. Stands still once the stage is cleared.
    bool tick();

    double remainingTime() const { return remaining_; }
    uint32_t goalCount() const { return goalCount_; }

    // Frames a run of this stage starts with (0: endless).
    static double startingTime(uint32_t stageNumber);

  private:
    GameState& game_;
    const bool stageMode_;
    double remaining_;
    uint32_t goalCount_;
};

} // namespace qv
