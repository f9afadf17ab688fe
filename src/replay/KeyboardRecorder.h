#pragma once

#include "platform/KeyboardInput.h"
#include "replay/ControlRecording.h"
#include "replay/ControlSource.h"

#include <cstdint>

namespace qv {

// A player's input: turns the polled actions (keys and pad) into one record per rider update and
// keeps the first 65,536 of them. The scene decides at the end of the run where the recording goes.
// The record holds the smoothed steering the rider uses, so a run replays the same whatever
// device steered it.
class KeyboardRecorder : public ControlSource {
  public:
    // The steering moves toward what the player asks (an arrow key: full lock; a stick: as far as
    // it is pushed) by this much per tick; asked for nothing, or for less than it has, it keeps
    // this share of the difference each tick.
    static constexpr float kSteerRamp = 0.02f;
    static constexpr float kSteerDecay = 0.88f;

    explicit KeyboardRecorder(const KeyboardInput& keyboard);
    KeyboardRecorder(const KeyboardRecorder&) = delete;
    KeyboardRecorder& operator=(const KeyboardRecorder&) = delete;

    ControlRecord next() override;

    uint32_t recordIndex() const { return recordIndex_; }
    float steering() const { return steerAccumulator_; }
    const ControlRecording& recording() const { return recording_; }
    // Every record of the ride, however long it was (the recording keeps the first 65,536).
    const std::vector<ControlRecord>& allRecords() const { return all_; }

    // The steering one tick after `current`, asked for `target` (1 full left .. -1 full right).
    static float nextSteering(float current, float target);

  private:
    uint8_t held(GameAction action) const { return keyboard_.held(action) ? 1 : 0; }

    const KeyboardInput& keyboard_;
    float steerAccumulator_ = 0.0f;
    ControlRecording recording_;
    std::vector<ControlRecord> all_;
    uint32_t recordIndex_ = 0;
};

} // namespace qv
