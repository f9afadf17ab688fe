#include "OutputFolder.h"
#include "RaceContent.h"
#include "RaceSounds.h"
#include "core/Angles.h"
#include "formats/WavWriter.h"
#include "sound/FormantFilter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>

namespace qv::content {
namespace {

constexpr float kRate = static_cast<float>(wav::kSampleRate);
const Synth kSynth(kRate);

struct Effect {
    const char* file;
    std::function<std::vector<float>(const Synth&)> make;
    float shortest, longest; // seconds
};

const Effect kEffects[] = {
    {"wara.wav", laughSound, 0.6f, 1.2f},         {"down.wav", knockDownSound, 0.7f, 1.5f},
    {"score.wav", scoreTickSound, 0.01f, 0.06f},  {"bang.wav", stampSound, 0.3f, 0.8f},
    {"splash0.wav", wadeSplashSound, 0.2f, 0.6f}, {"splash1.wav", deepSplashSound, 0.3f, 0.9f}};

size_t at(float seconds) {
    return static_cast<size_t>(seconds * kRate);
}

float seconds(const std::vector<float>& s) {
    return static_cast<float>(s.size()) / kRate;
}

float peak(const std::vector<float>& s, size_t from = 0, size_t to = SIZE_MAX) {
    float p = 0.0f;
    for (size_t i = from; i < std::min(to, s.size()); ++i)
        p = std::max(p, std::fabs(s[i]));
    return p;
}

float rms(const std::vector<float>& s, size_t from, size_t to) {
    double sum = 0.0;
    to = std::min(to, s.size());
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(s[i]) * s[i];
    return to > from ? static_cast<float>(std::sqrt(sum / static_cast<double>(to - from))) : 0.0f;
}

// Rising zero crossings per second between two times.
float crossingRate(const std::vector<float>& s, float from, float to) {
    int count = 0;
    for (size_t i = at(from) + 1; i < std::min(at(to), s.size()); ++i)
        count += s[i - 1] < 0.0f && s[i] >= 0.0f ? 1 : 0;
    return static_cast<float>(count) / (to - from);
}

// The repetition rate (Hz) between minHz and maxHz that best matches the stretch from..to.
float periodicity(const std::vector<float>& s, float from, float to, float minHz, float maxHz) {
    float best = -INFINITY;
    float bestHz = 0.0f;
    for (auto lag = static_cast<size_t>(kRate / maxHz); lag <= static_cast<size_t>(kRate / minHz); ++lag) {
        double sum = 0.0;
        for (size_t i = at(from); i + lag < at(to); ++i)
            sum += static_cast<double>(s[i]) * s[i + lag];
        if (sum > best) {
            best = static_cast<float>(sum);
            bestHz = kRate / static_cast<float>(lag);
        }
    }
    return bestHz;
}

// Start times (seconds) of the bursts of sound: where the loudness in 5 ms steps rises through
// 40 % of its greatest value.
std::vector<float> bursts(const std::vector<float>& s) {
    const size_t step = at(0.005f);
    std::vector<float> loudness;
    for (size_t i = 0; i + step <= s.size(); i += step)
        loudness.push_back(rms(s, i, i + step));
    const float threshold = 0.4f * *std::max_element(loudness.begin(), loudness.end());
    std::vector<float> starts;
    for (size_t k = 1; k < loudness.size(); ++k)
        if (loudness[k - 1] < threshold && loudness[k] >= threshold)
            starts.push_back(static_cast<float>(k) * 0.005f);
    return starts;
}

TEST(RaceSounds, EveryEffectIsAudibleWithoutClippingAndStartsAndEndsInSilence) {
    for (const Effect& effect : kEffects) {
        const std::vector<float> s = effect.make(kSynth);
        ASSERT_FALSE(s.empty()) << effect.file;
        EXPECT_GE(seconds(s), effect.shortest) << effect.file;
        EXPECT_LE(seconds(s), effect.longest) << effect.file;
        EXPECT_LE(peak(s), OutputFolder::kMaxPeak) << effect.file;
        EXPECT_GT(peak(s), 0.4f) << effect.file;
        EXPECT_EQ(encodeWav(s).clippedSamples, 0u) << effect.file;
        EXPECT_LT(std::fabs(s.front()), 0.01f) << effect.file;
        EXPECT_LT(peak(s, s.size() - 20), 0.02f) << effect.file;
    }
}

TEST(RaceSounds, LaughIsSeparateSyllablesFallingInPitch) {
    const std::vector<float> s = laughSound(kSynth);
    const std::vector<float> starts = bursts(s);
    ASSERT_EQ(starts.size(), static_cast<size_t>(kLaughSyllables));
    for (size_t k = 1; k < starts.size(); ++k)
        EXPECT_NEAR(starts[k] - starts[k - 1], starts[1] - starts[0], 0.02f) << "an even ha-ha-ha";
    // Voiced, at a high, childlike pitch that steps down from the first "ha" to the last.
    const float first = periodicity(s, starts.front() + 0.03f, starts.front() + 0.09f, 250.0f, 900.0f);
    const float last = periodicity(s, starts.back() + 0.03f, starts.back() + 0.09f, 250.0f, 900.0f);
    EXPECT_GT(first, 450.0f);
    EXPECT_LT(first, 700.0f);
    EXPECT_LT(last, 0.9f * first);
    // It ends on a short rest, so the looping walker's laugh comes in bursts.
    EXPECT_LT(rms(s, s.size() - at(0.1f), s.size()), 0.01f);
}

TEST(RaceSounds, KnockDownThumpsThenWhistlesDownwards) {
    const std::vector<float> s = knockDownSound(kSynth);
    EXPECT_GT(peak(s, 0, at(0.1f)), 0.95f * peak(s)) << "the thump comes first and loudest";
    EXPECT_LT(crossingRate(s, 0.0f, 0.05f), 400.0f) << "a low thump";
    const float early = crossingRate(s, 0.25f, 0.35f);
    const float late = crossingRate(s, 0.75f, 0.85f);
    EXPECT_GT(early, 700.0f) << "a whistle, not a rumble";
    EXPECT_GT(early, 1.8f * late) << "falling";
    EXPECT_GT(rms(s, at(0.75f), at(0.85f)), 0.05f) << "still whistling as it falls";
}

TEST(RaceSounds, ScoreTickIsOverInAFewMilliseconds) {
    const std::vector<float> s = scoreTickSound(kSynth);
    // It plays on every frame the score counts up (60 a second): each must be gone before the next.
    EXPECT_LT(seconds(s), 1.0f / 60.0f * 2.0f);
    EXPECT_LT(rms(s, at(0.015f), s.size()), 0.1f * rms(s, 0, at(0.005f)));
    EXPECT_LE(peak(s), kTickPeak + 1e-4f);
    EXPECT_GT(crossingRate(s, 0.0f, 0.01f), 1500.0f) << "bright";
}

TEST(RaceSounds, StampHitsAtOnceAndDiesAway) {
    const std::vector<float> s = stampSound(kSynth);
    EXPECT_GT(peak(s, 0, at(0.03f)), 0.9f * peak(s));
    EXPECT_LT(rms(s, s.size() - at(0.1f), s.size()), 0.05f * rms(s, 0, at(0.1f)));
}

TEST(RaceSounds, SplashesAreNoisyAndTheDeepOneIsHeavier) {
    const std::vector<float> wade = wadeSplashSound(kSynth);
    const std::vector<float> deep = deepSplashSound(kSynth);
    EXPECT_GT(crossingRate(wade, 0.0f, 0.1f), 800.0f) << "spray, not a tone";
    EXPECT_GT(seconds(deep), seconds(wade));
    EXPECT_LT(crossingRate(deep, 0.0f, 0.15f), 0.7f * crossingRate(wade, 0.0f, 0.15f)) << "lower";
    // Splash sounds start at most seven frames apart; the wade's body is over well before its end.
    EXPECT_LT(rms(wade, at(0.2f), wade.size()), 0.3f * rms(wade, 0, at(0.1f)));
}

TEST(FormantFilter, PassesEachFormantAtItsGainAndDampsWhatIsBetween) {
    const Formant formant{1000.0f, 6.0f, 0.5f};
    auto response = [&](float hz) {
        FormantFilter filter(kRate, {formant});
        float out = 0.0f;
        for (size_t i = 0; i < at(0.3f); ++i) {
            const float y = filter.process(std::sin(kTwoPi * hz * static_cast<float>(i) / kRate));
            out = i > at(0.2f) ? std::max(out, std::fabs(y)) : out;
        }
        return out;
    };
    EXPECT_NEAR(response(1000.0f), 0.5f, 0.05f);
    EXPECT_LT(response(300.0f), 0.1f);
    EXPECT_LT(response(2500.0f), 0.15f);
}

TEST(RaceSounds, GeneratorWritesTheGamesWaveFiles) {
    test::TempDir dir;
    std::ostringstream log;
    OutputFolder out(dir.path().string(), log);
    const TextRenderer text;
    GeneratorContext context{out, text, kSynth};
    writeRaceSounds(context);
    for (const Effect& effect : kEffects) {
        const std::string path = dir.file(std::string("wave/") + effect.file);
        ASSERT_TRUE(std::filesystem::is_regular_file(path)) << effect.file;
        EXPECT_EQ(std::filesystem::file_size(path), wav::kHeaderBytes + 2 * effect.make(kSynth).size())
            << effect.file;
    }
}

} // namespace
} // namespace qv::content
