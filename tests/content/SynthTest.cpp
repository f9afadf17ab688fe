#include "sound/Synth.h"
#include "core/Angles.h"
#include "sound/Envelope.h"
#include "sound/LowPass.h"
#include "sound/MixBuffer.h"
#include "sound/Oscillator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qv::content {
namespace {

constexpr float kRate = 22050.0f;

std::vector<float> run(Oscillator& osc, float frequency, size_t count) {
    std::vector<float> out(count);
    for (float& s : out) {
        s = osc.next(frequency);
    }
    return out;
}

int risingZeroCrossings(const std::vector<float>& s) {
    int count = 0;
    for (size_t i = 1; i < s.size(); ++i) {
        count += s[i - 1] < 0.0f && s[i] >= 0.0f ? 1 : 0;
    }
    return count;
}

float rms(const std::vector<float>& s) {
    return std::sqrt(std::inner_product(s.begin(), s.end(), s.begin(), 0.0f) / static_cast<float>(s.size()));
}

TEST(Envelope, RisesDecaysHoldsAndReleasesToSilence) {
    const Envelope env{0.1f, 0.2f, 0.5f, 0.4f};
    EXPECT_FLOAT_EQ(env.levelAt(0.0f, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(env.levelAt(0.05f, 1.0f), 0.5f);
    EXPECT_FLOAT_EQ(env.levelAt(0.1f, 1.0f), 1.0f);
    EXPECT_FLOAT_EQ(env.levelAt(0.2f, 1.0f), 0.75f);
    EXPECT_FLOAT_EQ(env.levelAt(0.8f, 1.0f), 0.5f);
    EXPECT_FLOAT_EQ(env.levelAt(1.2f, 1.0f), 0.25f);
    EXPECT_FLOAT_EQ(env.levelAt(1.4f, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(env.length(1.0f), 1.4f);
    // Let go during the attack: the release starts from where the level got to.
    EXPECT_FLOAT_EQ(env.levelAt(0.05f + 0.2f, 0.05f), 0.25f);
}

TEST(Oscillator, EveryWaveHasTheRequestedPitchAndStartsAtZero) {
    for (Waveform wave : {Waveform::Sine, Waveform::Square, Waveform::Triangle, Waveform::Saw}) {
        Oscillator osc(wave, kRate);
        const std::vector<float> s = run(osc, 441.0f, 22050);
        EXPECT_NEAR(risingZeroCrossings(s), 441, 1) << static_cast<int>(wave);
        EXPECT_NEAR(s[0], 0.0f, 0.05f) << static_cast<int>(wave);
        EXPECT_LT(*std::max_element(s.begin(), s.end()), 1.15f) << static_cast<int>(wave);
    }
}

TEST(Oscillator, NarrowPulsesCarryNoOffset) {
    Oscillator osc(Waveform::Square, kRate, 0.2f);
    const std::vector<float> s = run(osc, 220.5f, 22050);
    EXPECT_NEAR(std::accumulate(s.begin(), s.end(), 0.0f) / 22050.0f, 0.0f, 0.01f);
}

TEST(Oscillator, NoiseRepeatsForTheSameSeedOnly) {
    Oscillator a(Waveform::Noise, kRate, 0.5f, 7);
    Oscillator b(Waveform::Noise, kRate, 0.5f, 7);
    Oscillator c(Waveform::Noise, kRate, 0.5f, 8);
    const std::vector<float> sa = run(a, 0.0f, 1000);
    EXPECT_EQ(sa, run(b, 0.0f, 1000));
    EXPECT_NE(sa, run(c, 0.0f, 1000));
    EXPECT_NEAR(rms(sa), 1.0f / std::sqrt(3.0f), 0.05f); // uniform in [-1, 1]
}

TEST(LowPass, PassesLowsAndCutsHighs) {
    auto filteredRms = [](float frequency) {
        LowPass filter(kRate, 1000.0f);
        std::vector<float> s(22050);
        for (size_t i = 0; i < s.size(); ++i) {
            s[i] = filter.process(std::sin(kTwoPi * frequency * static_cast<float>(i) / kRate));
        }
        return rms(std::vector<float>(s.begin() + 2000, s.end()));
    };
    EXPECT_GT(filteredRms(100.0f), 0.65f);
    EXPECT_LT(filteredRms(8000.0f), 0.03f);
}

TEST(Synth, NoteLastsItsGatePlusReleaseAndEndsSilent) {
    const Synth synth(kRate);
    Instrument organ{{Layer{.wave = Waveform::Sine, .envelope = {0.01f, 0.0f, 1.0f, 0.1f}}}};
    const std::vector<float> note = synth.render(organ, 440.0f, 0.5f, 1);
    EXPECT_NEAR(static_cast<double>(note.size()), 0.6 * kRate, 1.0);
    EXPECT_NEAR(*std::max_element(note.begin(), note.end()), 1.0f, 0.01f);
    EXPECT_LT(std::fabs(note.back()), 0.01f);
}

TEST(Synth, StruckInstrumentsRingPastAShortNote) {
    const Synth synth(kRate);
    Instrument drum{{Layer{.wave = Waveform::Sine, .envelope = {0.001f, 0.3f, 0.0f, 0.01f}}}};
    const size_t clipped = synth.render(drum, 100.0f, 0.05f, 1).size();
    drum.ringsOut = true;
    const size_t rung = synth.render(drum, 100.0f, 0.05f, 1).size();
    EXPECT_LT(clipped, synth.samplesFor(0.07));
    EXPECT_GE(rung, synth.samplesFor(0.3));
}

TEST(MixBuffer, LoopWrapsTailsOntoItsStart) {
    MixBuffer loop = MixBuffer::loop(10);
    const std::vector<float> note{1.0f, 2.0f, 3.0f, 4.0f};
    loop.add(note, 8, 0.5f);
    EXPECT_EQ(loop.size(), 10u);
    EXPECT_EQ(loop.samples(), (std::vector<float>{1.5f, 2.0f, 0, 0, 0, 0, 0, 0, 0.5f, 1.0f}));
    loop.add(note, 12); // an offset past the end lands a whole loop earlier
    EXPECT_FLOAT_EQ(loop.samples()[2], 1.0f);
}

TEST(MixBuffer, OneShotGrowsToHoldEverything) {
    MixBuffer once = MixBuffer::oneShot();
    once.add(std::vector<float>{1.0f, -4.0f}, 3);
    once.add(std::vector<float>{1.0f}, 0);
    EXPECT_EQ(once.samples(), (std::vector<float>{1.0f, 0, 0, 1.0f, -4.0f}));
    EXPECT_FLOAT_EQ(once.peak(), 4.0f);
    once.scaleToPeak(0.8f);
    EXPECT_FLOAT_EQ(once.samples()[4], -0.8f);
    EXPECT_FLOAT_EQ(once.samples()[0], 0.2f);
}

} // namespace
} // namespace qv::content
