#pragma once

#include "assets/DataFiles.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// The raw random values that chose a run's goals, two per accepted placement (x value first),
// in the layout of the goal files: 512 signed 32-bit little-endian words, no header.
class GoalRecord {
  public:
    static constexpr size_t kEntries = 512;
    static constexpr size_t kFileBytes = kEntries * 4;
    static constexpr const char* kDemoFile = data::kDemoGoals;
    static constexpr const char* kReplayFile = data::kReplayGoals;

    // Every entry set to fill, position 0.
    explicit GoalRecord(int32_t fill);

    // Replaces the leading entries with the whole words at the start of the file: a short file
    // leaves the rest as they were, bytes past 512 words are ignored. False when it cannot be
    // opened; the entries are then untouched.
    bool load(const std::string& path);
    // Writes all 512 entries in one piece, through a temporary file. False when it failed.
    bool save(const std::string& path) const;

    // Replay: the entry at the position, which then advances, while the position is inside the
    // record and the entry is not negative; otherwise nothing, for good.
    std::optional<int32_t> nextRecorded();
    // Recording: stores the value at the position and advances it, starting again at entry 0
    // once the record is full.
    void store(int32_t value);

    int32_t operator[](size_t index) const { return entries_[index]; }
    uint32_t position() const { return position_; }

  private:
    std::array<int32_t, kEntries> entries_;
    uint32_t position_ = 0;
};

} // namespace qv
