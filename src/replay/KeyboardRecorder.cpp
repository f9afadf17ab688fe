#include "replay/KeyboardRecorder.h"

#include "platform/KeyCodes.h"

namespace qv {

KeyboardRecorder::KeyboardRecorder(const KeyboardInput& keyboard) : keyboard_(keyboard) {}

uint8_t KeyboardRecorder::anyHeld(std::initializer_list<uint8_t> keys) const {
    for (uint8_t code : keys)
        if (keyboard_.keyHeld(code))
            return 1;
    return 0;
}

ControlRecord KeyboardRecorder::next() {
    ControlRecord record;
    record.pedal = anyHeld({key::kF, key::kC});
    record.brake = anyHeld({key::kD, key::kX});
    record.backPedal = anyHeld({key::kR, key::kV});
    record.jump = anyHeld({key::kSpace, key::kLShift});
    record.boost = anyHeld({key::kUp, key::kA, key::kZ});
    record.left = anyHeld({key::kLeft});
    record.right = anyHeld({key::kRight});

    const float direction = static_cast<float>(record.left) - static_cast<float>(record.right);
    steerAccumulator_ = steerAccumulator_ + kSteerRamp * direction;
    if (direction == 0.0f)
        steerAccumulator_ = steerAccumulator_ * kSteerDecay;
    if (steerAccumulator_ > 1.0f)
        steerAccumulator_ = 1.0f;
    if (steerAccumulator_ < -1.0f)
        steerAccumulator_ = -1.0f;
    record.steer = steerAccumulator_;

    if (recordIndex_ < ControlRecording::kCapacity)
        recording_.store(recordIndex_++, record);
    return record;
}

} // namespace qv
