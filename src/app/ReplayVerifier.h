#pragma once

#include "replay/ReplayRun.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// Rides a replay again on the headless back ends, as fast as the machine allows, and says what
// it scores: the simulation is deterministic, so a replay that is what it claims scores what its
// header says. Needs the game's content (the fields) in the working folder.
class ReplayVerifier {
  public:
    // What one stage came to.
    struct StageResult {
        uint32_t score = 0;
        uint32_t knockDowns = 0;
        uint64_t ticks = 0; // records ridden
    };

    // Each stage of the run ridden from its start; never writes a file.
    static std::vector<StageResult> ride(const ReplayRun& run);
    // The installed fields are the ones the run rode on; else the first that differs, in error.
    static bool fieldsMatch(const ReplayRun& run, std::string& error);
    // A replay this game can ride as it was recorded: read whole, of this simulation version,
    // on the installed fields; else nothing, with what is wrong in error.
    static std::optional<ReplayRun> loadForRiding(const std::string& path, std::string& error);
    // The whole of --verify: reads the file, rides it, prints what it found on out and why it
    // failed on errors; 0 when it matches, 1 when it does not, 2 when the file cannot be used.
    static int verify(const std::string& path, std::ostream& out, std::ostream& errors);
};

} // namespace qv
