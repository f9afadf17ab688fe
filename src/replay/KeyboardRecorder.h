#pragma once

#include "platform/KeyboardInput.h"
#include "replay/ControlRecording.h"
#include "replay/ControlSource.h"

#include <cstdint>
#include <initializer_list>

namespace qv {

// A player's input: turns the polled key table into one record per rider update and keeps the
// first 65,536 of them. The scene decides at the end of the run where the recording goes.
class KeyboardRecorder : public ControlSource {
  public:
    // Left and Right arrows move the steering this much per tick; letting go keeps this share.
    static constexpr float kSteerRamp = 0.02f;
    static constexpr float kSteerDecay = 0.88f;

    explicit KeyboardRecorder(const KeyboardInput& keyboard);
    KeyboardRecorder(const KeyboardRecorder&) = delete;
    KeyboardRecorder& operator=(const KeyboardRecorder&) = delete;

    ControlRecord next() override;

    uint32_t recordIndex() const { return recordIndex_; }
    float steering() const { return steerAccumulator_; }
    const ControlRecording& recording() const { return recording_; }

  private:
    uint8_t anyHeld(std::initializer_list<uint8_t> keys) const;

    const KeyboardInput& keyboard_;
    float steerAccumulator_ = 0.0f;
    ControlRecording recording_;
    uint32_t recordIndex_ = 0;
};

} // namespace qv
