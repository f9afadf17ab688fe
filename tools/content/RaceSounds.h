#pragma once

#include "sound/Synth.h"

#include <vector>

namespace qv::content {

// The race's sound effects, as samples ready for a WAV file. Each starts and ends in silence and
// stays below full scale.
constexpr float kRaceEffectPeak = 0.8f;
// The score's tick plays on every frame the shown score counts up, many times a second, so it is
// kept softer than the rest.
constexpr float kTickPeak = 0.45f;

// wave/wara.wav: the target's cheeky "ha-ha-ha-ha", a voiced buzz shaped into an "ah" vowel with
// a breath before each syllable and the pitch falling from one to the next (~0.85 s, ending on a
// short rest so it loops as laugh after laugh).
std::vector<float> laughSound(const Synth& synth);
constexpr int kLaughSyllables = 4;

// wave/down.wav: knocked over: a thump and a slide whistle falling away (~1 s).
std::vector<float> knockDownSound(const Synth& synth);

// wave/score.wav: one short, bright tick (~30 ms).
std::vector<float> scoreTickSound(const Synth& synth);

// wave/bang.wav: a rubber stamp slammed down: a heavy thud with a slap on top (~0.5 s).
std::vector<float> stampSound(const Synth& synth);

// wave/splash0.wav: wading: a light, bright splash with a few drops (~0.4 s).
// wave/splash1.wav: deep water: a heavier, lower plunge with a gulp and later drops (~0.6 s).
std::vector<float> wadeSplashSound(const Synth& synth);
std::vector<float> deepSplashSound(const Synth& synth);

} // namespace qv::content
