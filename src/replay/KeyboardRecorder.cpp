#include "replay/KeyboardRecorder.h"

#include <algorithm>
#include <cmath>

namespace qv {

KeyboardRecorder::KeyboardRecorder(const KeyboardInput& keyboard) : keyboard_(keyboard) {}

// The arrow keys ask for full lock, so they only ever ramp toward it or decay once let go.
float KeyboardRecorder::nextSteering(float current, float target) {
    const bool easing = target == 0.0f || (current * target > 0.0f && std::abs(current) > std::abs(target));
    if (easing)
        return target + (current - target) * kSteerDecay;
    if (target > current)
        return std::min(current + kSteerRamp, target);
    return std::max(current - kSteerRamp, target);
}

ControlRecord KeyboardRecorder::next() {
    ControlRecord record;
    record.pedal = held(GameAction::Pedal);
    record.brake = held(GameAction::Brake);
    record.backPedal = held(GameAction::BackPedal);
    record.jump = held(GameAction::Jump);
    record.boost = held(GameAction::Boost);
    record.left = held(GameAction::Left);
    record.right = held(GameAction::Right);
    steerAccumulator_ = nextSteering(steerAccumulator_, keyboard_.steering());
    record.steer = steerAccumulator_;

    if (recordIndex_ < ControlRecording::kCapacity)
        recording_.store(recordIndex_++, record);
    all_.push_back(record);
    return record;
}

} // namespace qv
