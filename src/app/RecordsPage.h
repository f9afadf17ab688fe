#pragma once

#include "menu/MenuPage.h"
#include "race/ScoreFile.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

namespace qv {

// The records screen: the best score of endless mode and of each stage, the one the player set
// most recently in this session chosen and marked, else the way back.
class RecordsPage {
  public:
    static constexpr const char* kTitle = "RECORDS";
    static constexpr const char* kNewMark = "  new!";

    static constexpr const char* kReplayMark = "  (Enter: watch)";

    // newest: the table entry (RaceScore::tableIndex) of the latest new best, if any. watch
    // starts the replay of an entry; watchable says which entries have one.
    static MenuPage make(const HighScoreTable& table, std::optional<size_t> newest, MenuItem back,
                         const std::array<bool, 5>& watchable, std::function<void(size_t)> watch);
    static std::string entryName(size_t entry);
};

} // namespace qv
