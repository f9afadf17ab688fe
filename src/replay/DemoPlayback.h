#pragma once

#include "replay/ControlRecording.h"
#include "replay/ControlSource.h"

#include <cstdint>
#include <string>

namespace qv {

// The attract demo's input: the ride recorded in ./Data/demo.dat, handed out record by record.
// A missing file means no input at all; past the end of the recording every record is zero.
class DemoPlayback : public ControlSource {
  public:
    explicit DemoPlayback(const std::string& path = ControlRecording::kDemoFile);

    ControlRecord next() override;

    uint32_t recordIndex() const { return recordIndex_; }

  private:
    ControlRecording recording_;
    uint32_t recordIndex_ = 0;
};

} // namespace qv
