#pragma once

#include "game/GameState.h"
#include "platform/KeyboardInput.h"
#include "replay/ControlRecording.h"
#include "replay/ControlSource.h"

#include <cstdint>
#include <initializer_list>

namespace qv {

// A player's input: turns the polled key table into one record per rider update and keeps the
// first 65,536 of them. An endless run is saved when the recorder goes, as the next attract demo
// (demo.dat) when it set a new high score, else as replay.dat; stage runs are never saved.
class KeyboardRecorder : public ControlSource {
  public:
    // Left and Right arrows move the steering this much per tick; letting go keeps this share.
    static constexpr float kSteerRamp = 0.02f;
    static constexpr float kSteerDecay = 0.88f;

    KeyboardRecorder(const KeyboardInput& keyboard, const GameState& state);
    ~KeyboardRecorder() override;
    KeyboardRecorder(const KeyboardRecorder&) = delete;
    KeyboardRecorder& operator=(const KeyboardRecorder&) = delete;

    ControlRecord next() override;

    uint32_t recordIndex() const { return recordIndex_; }
    float steering() const { return steerAccumulator_; }

  private:
    uint8_t anyHeld(std::initializer_list<uint8_t> keys) const;
    void save() const;

    const KeyboardInput& keyboard_;
    const GameState& state_;
    float steerAccumulator_ = 0.0f;
    ControlRecording recording_;
    uint32_t recordIndex_ = 0;
};

} // namespace qv
