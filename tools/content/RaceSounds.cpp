#include "RaceSounds.h"

#include "core/Angles.h"
#include "sound/FormantFilter.h"
#include "sound/MixBuffer.h"
#include "sound/Oscillator.h"
#include "sound/SoundShaping.h"
#include "sound/SweepVoice.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

namespace {

struct Part {
    SweepVoice voice;
    float gain;
    float start = 0.0f;  // seconds into the effect
    float length = 0.0f; // 0: to the end
};

std::vector<float> mixParts(const Synth& synth, float seconds, const std::vector<Part>& parts, float peak) {
    const float rate = synth.sampleRate();
    MixBuffer mix = MixBuffer::oneShot(synth.samplesFor(seconds));
    for (const Part& part : parts) {
        const float length = part.length > 0.0f ? part.length : seconds - part.start;
        mix.add(part.voice.render(length, rate), synth.samplesFor(part.start), part.gain);
    }
    std::vector<float> samples = mix.samples();
    samples.resize(synth.samplesFor(seconds));
    return finishEffect(std::move(samples), rate, peak);
}

// A drop falling back into the water: a short "plip" whose pitch jumps up.
Part droplet(float start, float pitch, float gain) {
    SweepVoice plip;
    plip.wave = Waveform::Sine;
    plip.frequency = [pitch](float t) { return pitch * (1.0f + 1.5f * std::min(t / 0.025f, 1.0f)); };
    plip.level = pluck(0.001f, 0.012f);
    return {plip, gain, start, 0.06f};
}

// Splashing water: noise in a band sliding down as the spray settles.
SweepVoice spray(float fromHz, float toHz, float slide, SweepVoice::Curve level, uint32_t seed) {
    SweepVoice v;
    v.wave = Waveform::Noise;
    v.noiseSeed = seed;
    v.bandHz = [=](float t) { return fromHz + (toHz - fromHz) * std::min(t / slide, 1.0f); };
    v.bandQ = 0.9f;
    v.level = std::move(level);
    return v;
}

SweepVoice rumble(float lowPassHz, SweepVoice::Curve level, uint32_t seed) {
    SweepVoice v;
    v.wave = Waveform::Noise;
    v.noiseSeed = seed;
    v.lowPassHz = lowPassHz;
    v.level = std::move(level);
    return v;
}

// The laugh's timing: one syllable every kSpacing seconds, each a breath then a voiced "ah".
constexpr float kLaughStart = 0.02f;
constexpr float kSpacing = 0.165f;
constexpr float kBreath = 0.03f;
constexpr float kVoiced = 0.11f;
constexpr float kLaughLength = 0.85f;
constexpr float kFirstPitch = 560.0f; // a high, childlike voice
constexpr float kPitchStep = 0.93f;   // each "ha" a little lower

struct Syllable {
    float time;  // since the syllable began
    float pitch; // where it starts
};

// Which syllable t falls into; time beyond the last syllable belongs to it (and is silent).
Syllable syllableAt(float t) {
    const int k =
        std::clamp(static_cast<int>(std::floor((t - kLaughStart) / kSpacing)), 0, kLaughSyllables - 1);
    return {t - kLaughStart - static_cast<float>(k) * kSpacing,
            kFirstPitch * std::pow(kPitchStep, static_cast<float>(k))};
}

float voicing(float time) {
    const float v = time - kBreath;
    if (v <= 0.0f || v >= kVoiced)
        return 0.0f;
    return std::min(v / 0.012f, 1.0f) * std::pow(1.0f - v / kVoiced, 0.7f);
}

// The "h": a breath that comes in fast, holds until the voice starts and fades under it.
float breathiness(float time) {
    if (time <= 0.0f)
        return 0.0f;
    return std::min(time / 0.008f, 1.0f) * std::clamp(1.0f - (time - kBreath) / 0.025f, 0.0f, 1.0f);
}

} // namespace

std::vector<float> laughSound(const Synth& synth) {
    const float rate = synth.sampleRate();
    Oscillator buzz(Waveform::Saw, rate);
    Oscillator breath(Waveform::Noise, rate, 0.5f, 91);
    // A bright, small "ah": the formants of an adult's vowel raised by about a third.
    FormantFilter vowel(rate, {{950.0f, 5.0f, 1.0f}, {1550.0f, 7.0f, 0.7f}, {2900.0f, 9.0f, 0.3f}});
    std::vector<float> samples(synth.samplesFor(kLaughLength), 0.0f);
    for (size_t i = 0; i < samples.size(); ++i) {
        const float t = static_cast<float>(i) / rate;
        const Syllable s = syllableAt(t);
        // Each "ha" slides down as it is let out, with a little wobble.
        const float slide = 1.08f - 1.4f * std::max(s.time - kBreath, 0.0f);
        const float pitch = s.pitch * slide * (1.0f + 0.02f * std::sin(kTwoPi * 9.0f * t));
        // Lower notes put more of their buzz into the formants; even the syllables out.
        const float evenOut = (s.pitch / kFirstPitch) * (s.pitch / kFirstPitch);
        const float source =
            buzz.next(pitch) * voicing(s.time) * evenOut + 0.3f * breath.next(0.0f) * breathiness(s.time);
        samples[i] = vowel.process(source);
    }
    return finishEffect(std::move(samples), rate, kRaceEffectPeak);
}

std::vector<float> knockDownSound(const Synth& synth) {
    constexpr float kLength = 1.05f;
    SweepVoice thump;
    thump.frequency = [](float t) { return 45.0f + 110.0f * std::exp(-t / 0.03f); };
    thump.level = pluck(0.003f, 0.09f);
    // A slide whistle falling over two octaves, wavering as it goes.
    auto whistlePitch = [](float t) {
        return 1500.0f * std::exp2(-2.3f * t / 0.85f) * (1.0f + 0.025f * std::sin(kTwoPi * 6.5f * t));
    };
    auto whistleLevel = [](float t) {
        return std::min(t / 0.03f, 1.0f) * std::clamp((kLength - 0.1f - t) / 0.25f, 0.0f, 1.0f);
    };
    SweepVoice whistle;
    whistle.frequency = whistlePitch;
    whistle.level = whistleLevel;
    SweepVoice air; // the breath through the whistle
    air.wave = Waveform::Noise;
    air.noiseSeed = 33;
    air.bandHz = whistlePitch;
    air.bandQ = 12.0f;
    air.level = whistleLevel;
    return mixParts(synth, kLength,
                    {{thump, 1.0f},
                     {rumble(500.0f, pluck(0.001f, 0.03f), 31), 1.2f},
                     {whistle, 0.4f, 0.08f},
                     {air, 0.05f, 0.08f}},
                    kRaceEffectPeak);
}

std::vector<float> scoreTickSound(const Synth& synth) {
    SweepVoice ping;
    ping.frequency = [](float) { return 2200.0f; };
    ping.level = pluck(0.0008f, 0.006f);
    SweepVoice edge;
    edge.wave = Waveform::Square;
    edge.frequency = [](float) { return 1100.0f; };
    edge.level = pluck(0.0008f, 0.004f);
    edge.lowPassHz = 5000.0f;
    return mixParts(synth, 0.03f, {{ping, 1.0f}, {edge, 0.3f}}, kTickPeak);
}

std::vector<float> stampSound(const Synth& synth) {
    SweepVoice thud;
    thud.frequency = [](float t) { return 50.0f + 90.0f * std::exp(-t / 0.04f); };
    thud.level = pluck(0.002f, 0.14f);
    SweepVoice slap;
    slap.wave = Waveform::Noise;
    slap.noiseSeed = 41;
    slap.bandHz = [](float) { return 1100.0f; };
    slap.bandQ = 1.2f;
    slap.level = pluck(0.0005f, 0.025f);
    SweepVoice knock; // the wooden handle
    knock.wave = Waveform::Triangle;
    knock.frequency = [](float) { return 180.0f; };
    knock.level = pluck(0.001f, 0.05f);
    knock.lowPassHz = 1200.0f;
    return mixParts(synth, 0.55f, {{thud, 1.0f}, {slap, 1.5f}, {knock, 0.5f}}, kRaceEffectPeak);
}

std::vector<float> wadeSplashSound(const Synth& synth) {
    return mixParts(synth, 0.38f,
                    {{spray(3000.0f, 1200.0f, 0.25f, pluck(0.004f, 0.08f), 51), 1.0f},
                     {rumble(600.0f, pluck(0.01f, 0.07f), 52), 1.5f},
                     droplet(0.06f, 900.0f, 0.25f),
                     droplet(0.11f, 1200.0f, 0.2f),
                     droplet(0.17f, 800.0f, 0.15f),
                     droplet(0.24f, 1050.0f, 0.1f)},
                    kRaceEffectPeak);
}

std::vector<float> deepSplashSound(const Synth& synth) {
    SweepVoice gulp; // the bloop of the air swallowed behind the plunge
    gulp.frequency = [](float t) { return 180.0f + 240.0f * std::min(t / 0.08f, 1.0f); };
    gulp.level = pluck(0.005f, 0.06f);
    return mixParts(synth, 0.6f,
                    {{rumble(350.0f, pluck(0.012f, 0.16f), 61), 2.5f},
                     {spray(1800.0f, 700.0f, 0.4f, pluck(0.01f, 0.14f), 62), 1.0f},
                     {gulp, 0.5f, 0.02f, 0.3f},
                     droplet(0.12f, 600.0f, 0.2f),
                     droplet(0.2f, 750.0f, 0.18f),
                     droplet(0.29f, 520.0f, 0.14f),
                     droplet(0.37f, 680.0f, 0.1f)},
                    kRaceEffectPeak);
}

} // namespace qv::content
