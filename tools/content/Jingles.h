#pragma once

#include "sound/Synth.h"

#include <vector>

namespace qv::content {

// The short cues of the game, as samples ready for a WAV file.
std::vector<float> logoJingle(const Synth& synth); // bright flourish under the logo (~1.7 s)
std::vector<float> readySting(const Synth& synth); // three rising beeps and a chord (~1.8 s)

// The finish-phase alarm: a hi-lo siren, one second, looping seamlessly.
std::vector<float> warningAlarm(const Synth& synth);
constexpr double kWarningTempo = 120.0;
constexpr int kWarningBeatsPerBar = 2;

} // namespace qv::content
