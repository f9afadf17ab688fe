#pragma once

#include "sound/Envelope.h"
#include "sound/Oscillator.h"

#include <vector>

namespace qv::content {

// One oscillator of an instrument with its own loudness curve and filtering.
struct Layer {
    Waveform wave = Waveform::Sine;
    float gain = 1.0f;
    float ratio = 1.0f;      // frequency as a multiple of the note's
    float pulseWidth = 0.5f; // squares only
    Envelope envelope;
    float lowPassHz = 0.0f;  // 0: unfiltered
    float highPassHz = 0.0f; // 0: unfiltered
    float pitchDrop = 0.0f;  // starts this many times the frequency higher, falling away (drums)
    float pitchDropTime = 0.03f;
    float vibratoCents = 0.0f;
    float vibratoHz = 5.5f;
    float vibratoDelay = 0.15f; // seconds before vibrato sets in
};

// A sound made of layers played together. A note of n beats is held for gate * n beats.
struct Instrument {
    std::vector<Layer> layers;
    float gate = 0.9f;
    float hitFrequency = 100.0f; // the pitch of a drum hit ("x" in note text)
    bool ringsOut = false;       // struck, like a drum or bell: every note runs its full decay
};

} // namespace qv::content
