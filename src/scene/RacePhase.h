#pragma once

#include "scene/SceneParts.h"

#include <cstdint>

namespace qv {

// The ride itself: moves the world each tick, pauses on W or P, and runs until the race time is
// up. The attract and play kinds differ only in the texts they draw over the race.
class RacePhase {
  public:
    explicit RacePhase(const SceneParts& parts);
    virtual ~RacePhase() = default;
    RacePhase(const RacePhase&) = delete;
    RacePhase& operator=(const RacePhase&) = delete;

    virtual void draw() = 0;
    void update();
    bool stillRunning();

    bool paused() const { return paused_; }
    double remainingTime() const { return remainingTime_; }

    // Frames a race starts with at a stage (0 = endless).
    static double startingTime(uint32_t stageNumber);

  protected:
    void beginFrame();
    void drawShared();
    void endFrame();

    SceneParts parts_;

  private:
    bool togglePause();

    bool paused_ = false;
    bool pauseKeyWasDown_ = false;
    double remainingTime_;
};

class AttractRacePhase : public RacePhase {
  public:
    using RacePhase::RacePhase;
    void draw() override;
};

class PlayRacePhase : public RacePhase {
  public:
    using RacePhase::RacePhase;
    void draw() override;
};

} // namespace qv
