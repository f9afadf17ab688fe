#pragma once

#include "replay/ReplayRun.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// The player's replays/ folder: every finished run is saved there under a name a player can
// read ("2026-12-08_20-45-03_endless_7711.qvr"), and the folder is kept to the newest `keep`
// runs, except that the best endless run and the best run of each stage are never removed.
// Files it cannot read as replays are left alone.
class ReplayLibrary {
  public:
    ReplayLibrary(std::string folder, uint32_t keep) : folder_(std::move(folder)), keep_(keep) {}

    // The folder is made, owner only, when missing. The path written, or nothing with the
    // reason in error; then prunes.
    std::optional<std::string> save(const ReplayRun& run, std::string& error) const;
    // Removes the runs beyond the newest `keep` that are no best; the paths removed.
    std::vector<std::string> prune() const;
    // The replay of the best run of each high-score table entry (0 endless, 1 to 4 the stages),
    // where the folder has one.
    std::array<std::optional<std::string>, 5> bests() const;

    // The name of a run's file, from its date (local time), mode, stages and score.
    static std::string fileName(const ReplayRun& run);
    const std::string& folder() const { return folder_; }

  private:
    std::string folder_;
    uint32_t keep_;
};

} // namespace qv
