#pragma once

#include "menu/MenuPage.h"
#include "race/ScoreFile.h"

#include <cstddef>
#include <optional>

namespace qv {

// The records screen: the best score of endless mode and of each stage, the one the player set
// most recently in this session chosen and marked, else the way back.
class RecordsPage {
  public:
    static constexpr const char* kTitle = "RECORDS";
    static constexpr const char* kNewMark = "  new!";

    // newest: the table entry (RaceScore::tableIndex) of the latest new best, if any.
    static MenuPage make(const HighScoreTable& table, std::optional<size_t> newest, MenuItem back);
    static std::string entryName(size_t entry);
};

} // namespace qv
