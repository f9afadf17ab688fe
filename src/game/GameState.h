#pragma once

#include "core/Random.h"

#include <cstdint>

namespace qv {

// Which run Enter starts from the attract demo; the value is what the trace prints.
enum class GameMode : int32_t {
    Endless = 0, // one run until the time is up
    Stages = 1,  // five knock-downs clear a stage, and the next starts at once
};

// The handful of values the whole program shares. There is exactly one, owned by the program
// entry and handed by reference to whoever reads or changes it. Each field names its writers.
struct GameState {
    // Program (at start, from the settings); read by the field window, fog, effects, figures.
    int32_t sightRange = 15;
    // GameDirector (0 for the demo and endless runs, 1.. counting up through a stage run).
    uint32_t stageNumber = 0;
    // GameDirector (Left/Right on the demo).
    GameMode gameMode = GameMode::Endless;
    // Scene (false when built), RaceClock (true once the stage's last goal is placed).
    bool stageCleared = false;
    // Scene: ticks it has waited since the stage was cleared.
    int32_t stageClearWait = 0;
    // RaceClock: goals placed in the current stage (reset when a race starts).
    uint32_t goalsInStage = 0;
    // Scene: true while the scene is the attract demo, set before any component is built.
    bool demoMode = false;
    // MessageBoard: cleared when built, set once the stage title has shown.
    bool introDone = false;
    // Seeded by Program; drawn by the goal course, the demo camera, the splashes and the score
    // file, in the game's order (replays depend on it).
    Random random{};

    static constexpr int32_t kMinSightRange = 8;
    static constexpr int32_t kMaxSightRange = 100;

    // Back to the start values; the sight range and the generator are set by the entry.
    void reset() {
        Random keep = random;
        *this = GameState{};
        random = keep;
    }
    static int32_t clampSightRange(int32_t value) {
        return value < kMinSightRange ? kMinSightRange : (value > kMaxSightRange ? kMaxSightRange : value);
    }
};

} // namespace qv
