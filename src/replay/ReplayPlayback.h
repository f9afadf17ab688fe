#pragma once

#include "replay/ControlRecord.h"
#include "replay/ControlSource.h"

#include <cstdint>
#include <vector>

namespace qv {

// A replay's input for one stage: its records handed out one by one; past the end every record
// is zero, and the playback says it is finished.
class ReplayPlayback : public ControlSource {
  public:
    // The records must outlive this.
    explicit ReplayPlayback(const std::vector<ControlRecord>& records) : records_(records) {}

    ControlRecord next() override {
        if (index_ >= records_.size())
            return {};
        return records_[index_++];
    }
    bool finished() const { return index_ >= records_.size(); }
    uint64_t recordIndex() const { return index_; }

  private:
    const std::vector<ControlRecord>& records_;
    uint64_t index_ = 0;
};

} // namespace qv
