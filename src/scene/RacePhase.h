#pragma once

#include "scene/SceneParts.h"

#include <cstdint>
#include <memory>

namespace qv {

class MiniMap;
class RaceClock;
class RaceTimer;

// The ride itself: moves the world each tick, pauses on W or P, scores the knock-downs, feeds the
// race clock and runs until the time is up. It owns the clock and the race-only HUD, the timer and
// the mini-map. The attract and play kinds differ only in the texts they draw over the race.
class RacePhase {
  public:
    explicit RacePhase(const SceneParts& parts);
    virtual ~RacePhase();
    RacePhase(const RacePhase&) = delete;
    RacePhase& operator=(const RacePhase&) = delete;

    virtual void draw() = 0;
    void update();
    bool stillRunning();

    bool paused() const { return paused_; }
    // Pauses as the pause key does, for a window that lost focus; the pause key or any pad
    // button resumes, never the focus coming back.
    void pause() { paused_ = focusPaused_ = true; }
    // Goes on, however it was paused (the pause menu's "Resume").
    void resume() { paused_ = focusPaused_ = false; }
    const RaceClock& raceClock() const { return *raceClock_; }
    // The HUD shows the race as it stands, its animations done (after updates no frame showed).
    void settleDisplays();
    const RaceTimer& raceTimer() const { return *raceTimer_; }

  protected:
    void beginFrame();
    void drawShared();
    void endFrame();

    SceneParts parts_;

  private:
    bool togglePause();
    void checkGoalHit();
    void drawCharacters();
    void drawMarker();
    void drawHud();

    std::unique_ptr<RaceClock> raceClock_;
    std::unique_ptr<MiniMap> miniMap_;
    std::unique_ptr<RaceTimer> raceTimer_;
    bool paused_ = false;
    bool pauseKeyWasDown_ = false;
    bool focusPaused_ = false; // paused by pause(): a pad button resumes too
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
