#include "RiderSounds.h"

#include "core/Angles.h"
#include "sound/MixBuffer.h"
#include "sound/SoundShaping.h"
#include "sound/SweepVoice.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

namespace {

// Mixes the voices, fades the very ends so the sound starts and stops on silence, and levels it.
std::vector<float> finish(const Synth& synth, float seconds,
                          std::initializer_list<std::pair<SweepVoice, float>> voices) {
    MixBuffer mix = MixBuffer::oneShot();
    for (const auto& [voice, gain] : voices)
        mix.add(voice.render(seconds, synth.sampleRate()), 0, gain);
    return finishEffect(mix.samples(), synth.sampleRate(), kEffectPeak);
}

} // namespace

std::vector<float> jumpSound(const Synth& synth) {
    // Pitch leaps up an octave and a half in a tenth of a second, with a springy flutter.
    auto pitch = [](float t) {
        return 240.0f * std::exp2(std::min(t, 0.16f) * 10.0f) * (1.0f + 0.05f * std::sin(kTwoPi * 30.0f * t));
    };
    SweepVoice body;
    body.wave = Waveform::Triangle;
    body.frequency = pitch;
    body.level = pluck(0.004f, 0.09f);
    SweepVoice edge; // a little buzz on top for bite
    edge.wave = Waveform::Square;
    edge.frequency = pitch;
    edge.level = pluck(0.004f, 0.06f);
    edge.lowPassHz = 2500.0f;
    return finish(synth, 0.26f, {{body, 1.0f}, {edge, 0.2f}});
}

std::vector<float> bumpSound(const Synth& synth) {
    // A low boing whose pitch wobbles fast and settles, as a spring does after a knock.
    auto pitch = [](float t) {
        const float wobble = 0.3f * std::exp(-t / 0.16f) * std::sin(kTwoPi * 12.0f * t);
        return 150.0f * (1.0f + wobble) * (1.0f - 0.25f * t);
    };
    SweepVoice boing;
    boing.wave = Waveform::Triangle;
    boing.frequency = pitch;
    boing.level = pluck(0.006f, 0.15f);
    boing.lowPassHz = 1800.0f;
    SweepVoice twang;
    twang.wave = Waveform::Square;
    twang.frequency = [pitch](float t) { return 2.0f * pitch(t); };
    twang.level = pluck(0.003f, 0.05f);
    twang.lowPassHz = 1500.0f;
    return finish(synth, 0.5f, {{boing, 1.0f}, {twang, 0.25f}});
}

std::vector<float> boostSound(const Synth& synth) {
    constexpr float kLength = 0.9f;
    // Air rushing past: noise swept up through a band and back down as the push fades.
    SweepVoice rush;
    rush.wave = Waveform::Noise;
    rush.noiseSeed = 77;
    rush.bandHz = [](float t) { return 350.0f + 2300.0f * std::sin(kPi * std::pow(t / kLength, 0.6f)); };
    rush.bandQ = 1.5f;
    rush.level = [](float t) { return std::min(t / 0.06f, 1.0f) * (1.0f - std::pow(t / kLength, 2.0f)); };
    // A low roar underneath and a rising engine tone give it its push.
    SweepVoice roar;
    roar.wave = Waveform::Noise;
    roar.noiseSeed = 78;
    roar.lowPassHz = 220.0f;
    roar.level = pluck(0.03f, 0.3f);
    SweepVoice engine;
    engine.wave = Waveform::Saw;
    engine.frequency = [](float t) { return 90.0f + 160.0f * std::min(t / 0.4f, 1.0f); };
    engine.lowPassHz = 900.0f;
    engine.level = pluck(0.03f, 0.22f);
    return finish(synth, kLength, {{rush, 1.0f}, {roar, 2.5f}, {engine, 0.3f}});
}

} // namespace qv::content
