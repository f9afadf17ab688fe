#pragma once

#include "replay/ControlRecord.h"

namespace qv {

// Where the rider's input comes from: the keyboard (recorded) in a run, a recording in the demo.
// The rider asks once per update, and only while its control is enabled.
class ControlSource {
  public:
    virtual ~ControlSource() = default;
    virtual ControlRecord next() = 0;
};

} // namespace qv
