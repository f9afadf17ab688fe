#include "replay/DemoPlayback.h"

namespace qv {

DemoPlayback::DemoPlayback(const std::string& path) {
    recording_.load(path);
}

ControlRecord DemoPlayback::next() {
    if (recordIndex_ >= ControlRecording::kCapacity)
        return ControlRecord{};
    return recording_[recordIndex_++];
}

} // namespace qv
