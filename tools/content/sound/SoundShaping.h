#pragma once

#include "sound/SweepVoice.h"

#include <vector>

namespace qv::content {

// The last touches of a sound effect: its first 2 ms fade in and its last 15 ms fade out, so it
// starts and stops on silence without a click, and it is scaled so its loudest sample is `peak`.
std::vector<float> finishEffect(std::vector<float> samples, float sampleRate, float peak);

// A struck sound's loudness: rises over `attack` seconds, then dies away with time constant `decay`.
SweepVoice::Curve pluck(float attack, float decay);

} // namespace qv::content
