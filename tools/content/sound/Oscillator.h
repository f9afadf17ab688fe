#pragma once

#include <cstdint>

namespace qv::content {

enum class Waveform { Sine, Square, Triangle, Saw, Noise };

// One periodic source, advanced a sample at a time so the frequency may change smoothly
// (glides, vibrato) without phase jumps. Square and saw edges are softened with polynomial
// band-limited steps, which keeps their harmonics from folding back as harsh aliasing.
class Oscillator {
  public:
    // pulseWidth: share of the period a square spends high (0.5 = square); noiseSeed drives
    // the noise source, so the same seed always gives the same noise.
    Oscillator(Waveform wave, float sampleRate, float pulseWidth = 0.5f, uint32_t noiseSeed = 1);

    float next(float frequency);

  private:
    float pulse(double phase, double step) const;
    float noise();

    Waveform wave_;
    float sampleRate_;
    double pulseWidth_;
    double phase_ = 0.0; // 0..1
    uint32_t noiseState_;
};

} // namespace qv::content
