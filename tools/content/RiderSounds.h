#pragma once

#include "sound/Synth.h"

#include <vector>

namespace qv::content {

// The rider's sound effects, as samples ready for a WAV file. Each starts and ends in silence
// and peaks at kEffectPeak of full scale.
constexpr float kEffectPeak = 0.8f;

std::vector<float> jumpSound(const Synth& synth);  // wave/jump.wav: a quick springy hop, rising (~0.25 s)
std::vector<float> bumpSound(const Synth& synth);  // wave/boyon.wav: a wobbling boing (~0.5 s)
std::vector<float> boostSound(const Synth& synth); // wave/boost.wav: a rushing whoosh (~0.9 s)

} // namespace qv::content
