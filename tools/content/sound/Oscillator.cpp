#include "sound/Oscillator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv::content {

namespace {

// Correction around a unit step at phase 0 spread over one sample either side.
double polyBlep(double t, double dt) {
    if (t < dt) {
        const double x = t / dt;
        return x + x - x * x - 1.0;
    }
    if (t > 1.0 - dt) {
        const double x = (t - 1.0) / dt;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

} // namespace

Oscillator::Oscillator(Waveform wave, float sampleRate, float pulseWidth, uint32_t noiseSeed)
    : wave_(wave), sampleRate_(sampleRate), pulseWidth_(std::clamp(pulseWidth, 0.05f, 0.95f)),
      noiseState_(noiseSeed == 0 ? 0x9E3779B9u : noiseSeed) {}

float Oscillator::pulse(double phase, double step) const {
    double value = phase < pulseWidth_ ? 1.0 : -1.0;
    value += polyBlep(phase, step);
    value -= polyBlep(std::fmod(phase - pulseWidth_ + 1.0, 1.0), step);
    // Remove the offset a narrow pulse carries, so it starts and ends around zero.
    return static_cast<float>(value - (2.0 * pulseWidth_ - 1.0));
}

float Oscillator::noise() {
    noiseState_ ^= noiseState_ << 13;
    noiseState_ ^= noiseState_ >> 17;
    noiseState_ ^= noiseState_ << 5;
    return static_cast<float>(noiseState_ / 2147483648.0 - 1.0);
}

float Oscillator::next(float frequency) {
    const double step = std::clamp(static_cast<double>(frequency) / sampleRate_, 0.0, 0.5);
    const double phase = phase_;
    phase_ += step;
    phase_ -= std::floor(phase_);
    switch (wave_) {
    case Waveform::Sine:
        return static_cast<float>(std::sin(2.0 * std::numbers::pi * phase));
    case Waveform::Square:
        return pulse(phase, step);
    case Waveform::Triangle:
        // Starts at zero and rises, like the sine.
        return static_cast<float>(4.0 * std::fabs(std::fmod(phase + 0.75, 1.0) - 0.5) - 1.0);
    case Waveform::Saw:
        return static_cast<float>(2.0 * std::fmod(phase + 0.5, 1.0) - 1.0 -
                                  polyBlep(std::fmod(phase + 0.5, 1.0), step));
    case Waveform::Noise:
        return noise();
    }
    return 0.0f;
}

} // namespace qv::content
