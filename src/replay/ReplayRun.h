#pragma once

#include "replay/ControlRecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// One stage of a recorded run: the rider's input, one record per rider update, and the random
// values that placed its goals (the accepted pairs, x value first), with what the stage scored.
struct ReplayStage {
    uint32_t stageNumber = 0; // 0 for an endless run
    uint32_t fieldIndex = 0;  // which of the fields (Data/FieldN.dat) it rode on
    uint64_t fieldHash = 0;   // of that field file's bytes (fieldHash)
    uint32_t score = 0;
    uint32_t knockDowns = 0;
    std::vector<ControlRecord> records;
    std::vector<int32_t> draws;

    bool operator==(const ReplayStage&) const = default;
};

// A whole finished run, endless or stages, as a replay file keeps it.
struct ReplayRun {
    enum class Mode : uint8_t { Endless = 0, Stages = 1 };

    uint32_t simulationVersion = 0;
    std::string gameVersion;
    int64_t date = 0;         // seconds since 1970, UTC, when the run ended
    uint16_t sightRange = 15; // the run's [PERFORMANCE] SIGHTRANGE: where the jester may appear
    Mode mode = Mode::Endless;
    std::vector<ReplayStage> stages;

    uint32_t score() const;
    uint32_t knockDowns() const;
    uint64_t ticks() const; // records over all stages
    uint32_t startStage() const { return stages.empty() ? 0 : stages.front().stageNumber; }

    bool operator==(const ReplayRun&) const = default;
};

// FNV-1a, 64 bits: the replay's check that a field is the one the run rode on.
uint64_t fieldHash(const std::string& bytes);

} // namespace qv
