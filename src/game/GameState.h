#pragma once

#include "core/Random.h"

#include <cstdint>

namespace qv {

// The handful of values the whole program shares. There is exactly one, owned by the program
// entry and handed to whoever reads or changes it.
struct GameState {
    int32_t sightRange = 15;    // world distance of fog, terrain window, effects (8..100)
    uint32_t stageNumber = 0;   // 0 = endless run, 1.. = stage
    int32_t gameMode = 0;       // 0 = endless, 1 = stages
    bool stageCleared = false;  // set by the race timer, cleared by director and scenes
    int32_t stageClearWait = 0; // frames the scene has waited since the stage was cleared
    uint32_t goalsInStage = 0;  // goals knocked down in the current stage
    bool demoMode = false;      // true while an attract scene exists
    bool newHighScore = false;  // set by the score board, read by the recorders
    bool introDone = false;     // set by the message board once the stage title has run
    Random random{};            // the program-wide generator

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
