#pragma once

#include "sound/Synth.h"

#include <vector>

namespace qv::content {

// The race music: a cheerful tune in C major, 16 bars at 126 bpm (a beat is exactly 10500
// samples at 22050 Hz), about 30 seconds, looping seamlessly.
constexpr double kMusicTempo = 126.0;
constexpr int kMusicBeatsPerBar = 4;
constexpr int kMusicBars = 16;

std::vector<float> backgroundMusic(const Synth& synth);

} // namespace qv::content
