// The attract demo's files: a recording's steering is always within full lock, a goal file
// hands out only what it holds.
#include "FuzzInput.h"
#include "replay/ControlRecording.h"
#include "replay/GoalRecord.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = qv::fuzz::asFile(data, size, "demo.dat");
    qv::ControlRecording recording;
    recording.load(path);
    for (size_t i = 0; i < qv::ControlRecording::kCapacity; ++i) {
        const float steer = recording[i].steer;
        if (!std::isfinite(steer) || std::fabs(steer) > 1.0f)
            std::abort();
    }
    qv::GoalRecord goals(-1);
    goals.load(path);
    for (size_t i = 0; i <= qv::GoalRecord::kEntries && goals.nextRecorded(); ++i) {
        if (i == qv::GoalRecord::kEntries)
            std::abort(); // a record never hands out more than it holds
    }
    return 0;
}
