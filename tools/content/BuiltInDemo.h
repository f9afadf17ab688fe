#pragma once

#include "OutputFolder.h"

#include <ostream>
#include <string>

namespace qv::content {

// How lively a recorded run is: knock-downs count most, then some water and a jump.
struct RunSummary {
    int knockDowns = 0;
    int waterTicks = 0;
    int airTicks = 0;
    bool finished = false; // the run came back to the demo within the ticks given

    int liveliness() const;
};

// Reads what a recorded run did from its trace.
RunSummary summarizeRun(const std::string& tracePath);

// Records the attract demo shipped with the game: plays endless runs with the autopilot on the
// generated field (the real game, headless), keeps the liveliest, and installs its recording as
// demo.dat and dgoal.dat -- only where the folder has no demo yet, so a player's earned demo
// survives every rebuild.
void recordBuiltInDemo(OutputFolder& out, const std::string& dataDir, const std::string& gamePath,
                       std::ostream& log);

} // namespace qv::content
