#pragma once

#include "core/Vec3.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// The values of one trace line that checks of whole runs look at (tests, the demo recording).
struct TraceTick {
    int tick = 0;
    int director = 0;
    std::optional<int> phase;
    bool demo = false;
    int stage = 0;
    int mode = 0;
    std::optional<Vec3> riderPos;
    std::optional<float> riderSpeed;
    std::optional<int> riderState;
    std::optional<Vec3> goal;
    std::optional<long> score;
    std::optional<double> time;
    std::optional<double> water;
    bool stageCleared = false;
};

// Reads a trace file written by the headless runner.
std::vector<TraceTick> readTrace(const std::string& path);

} // namespace qv
