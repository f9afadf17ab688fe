#pragma once

namespace qv::content {

// A gentle low-pass: a cascade of one-pole sections (6 dB per octave each).
class LowPass {
  public:
    LowPass(float sampleRate, float cutoffHz, int poles = 2);

    float process(float input);

  private:
    static constexpr int kMaxPoles = 4;

    float coefficient_;
    int poles_;
    float state_[kMaxPoles] = {};
};

} // namespace qv::content
