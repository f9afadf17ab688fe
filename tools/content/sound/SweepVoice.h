#pragma once

#include "sound/Oscillator.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace qv::content {

// One sound source whose pitch, loudness and filtering follow curves over time (seconds):
// for effects that slide and wobble (a hop, a boing, a whoosh) rather than play notes.
struct SweepVoice {
    using Curve = std::function<float(float seconds)>;

    Waveform wave = Waveform::Sine;
    Curve frequency = [](float) { return 440.0f; }; // Hz; unused by noise
    Curve level = [](float) { return 1.0f; };       // 0..1
    Curve bandHz;                                   // when set, a band-pass centred here
    float bandQ = 2.0f;
    float lowPassHz = 0.0f; // 0: unfiltered
    uint32_t noiseSeed = 1;

    // `seconds` of the voice at the sample rate.
    std::vector<float> render(float seconds, float sampleRate) const;
};

} // namespace qv::content
