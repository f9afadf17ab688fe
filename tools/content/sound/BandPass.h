#pragma once

namespace qv::content {

// A resonant band-pass whose centre may move every sample (a state-variable filter), for
// sweeping noise into whooshes.
class BandPass {
  public:
    BandPass(float sampleRate, float q);

    float process(float input, float centreHz);

  private:
    float sampleRate_;
    float damping_;
    float low_ = 0.0f;
    float band_ = 0.0f;
};

} // namespace qv::content
