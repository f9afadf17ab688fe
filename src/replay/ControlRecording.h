#pragma once

#include "assets/DataFiles.h"
#include "replay/ControlRecord.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

// A ride's input, one record per rider update, in the fixed-size buffer that is also the file
// format: 65,536 records of 12 bytes, no header, unused records zero.
class ControlRecording {
  public:
    static constexpr size_t kCapacity = 65536;
    static constexpr size_t kFileBytes = kCapacity * sizeof(ControlRecord); // 786,432
    static constexpr const char* kDemoFile = data::kDemoRecording;
    static constexpr const char* kReplayFile = data::kReplayRecording;

    // All records zero; the one allocation of a ride.
    ControlRecording();

    // Replaces the contents with the whole records at the start of the file; a short file leaves
    // the rest zero and bytes past the buffer are ignored. Steering is brought back into
    // [-1, 1] (not-a-number reads as 0), so a damaged file cannot throw the rider off the field.
    // False, with every record zero, when the file cannot be opened.
    bool load(const std::string& path);
    // Writes the whole buffer in one go, through a temporary file, so a crash never leaves half a
    // recording behind. False when it could not be written.
    bool save(const std::string& path) const;

    const ControlRecord& operator[](size_t index) const { return records_[index]; }
    void store(size_t index, const ControlRecord& record) { records_[index] = record; }

  private:
    std::vector<ControlRecord> records_;
};

} // namespace qv
