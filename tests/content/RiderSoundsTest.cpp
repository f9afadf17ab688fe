#include "RiderSounds.h"
#include "OutputFolder.h"
#include "RiderContent.h"
#include "formats/WavWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <sstream>

namespace qv::content {
namespace {

const Synth kSynth(static_cast<float>(wav::kSampleRate));

struct Effect {
    const char* name;
    std::function<std::vector<float>(const Synth&)> make;
    float shortest, longest; // seconds
};

const Effect kEffects[] = {{"jump", jumpSound, 0.1f, 0.35f},
                           {"bump", bumpSound, 0.3f, 0.7f},
                           // A boost pushes for 23 frames (0.39 s); the whoosh lasts through it.
                           {"boost", boostSound, 0.45f, 1.2f}};

float seconds(const std::vector<float>& s) {
    return static_cast<float>(s.size()) / static_cast<float>(wav::kSampleRate);
}

float peak(const std::vector<float>& s, size_t from = 0, size_t to = SIZE_MAX) {
    float p = 0.0f;
    for (size_t i = from; i < std::min(to, s.size()); ++i)
        p = std::max(p, std::fabs(s[i]));
    return p;
}

// Rising zero crossings per second between two times.
float crossingRate(const std::vector<float>& s, float from, float to) {
    const auto a = static_cast<size_t>(from * wav::kSampleRate),
               b = static_cast<size_t>(to * wav::kSampleRate);
    int count = 0;
    for (size_t i = a + 1; i < b; ++i)
        count += s[i - 1] < 0.0f && s[i] >= 0.0f ? 1 : 0;
    return static_cast<float>(count) / (to - from);
}

TEST(RiderSounds, EveryEffectIsLoudWithoutClippingAndStartsAndEndsInSilence) {
    for (const Effect& effect : kEffects) {
        const std::vector<float> s = effect.make(kSynth);
        ASSERT_FALSE(s.empty()) << effect.name;
        EXPECT_GE(seconds(s), effect.shortest) << effect.name;
        EXPECT_LE(seconds(s), effect.longest) << effect.name;
        EXPECT_LE(peak(s), OutputFolder::kMaxPeak) << effect.name;
        EXPECT_GT(peak(s), 0.5f) << effect.name;
        EXPECT_EQ(encodeWav(s).clippedSamples, 0u) << effect.name;
        // No click where the sound starts or stops.
        EXPECT_LT(std::fabs(s.front()), 0.01f) << effect.name;
        EXPECT_LT(peak(s, s.size() - 20), 0.02f) << effect.name;
    }
}

TEST(RiderSounds, EffectsAreTheSameEveryBuild) {
    for (const Effect& effect : kEffects)
        EXPECT_EQ(effect.make(kSynth), effect.make(kSynth)) << effect.name;
}

TEST(RiderSounds, JumpSpringsUpInPitch) {
    const std::vector<float> s = jumpSound(kSynth);
    EXPECT_GT(crossingRate(s, 0.12f, 0.18f), 1.8f * crossingRate(s, 0.0f, 0.06f));
}

TEST(RiderSounds, BoostWhooshIsAirNotATone) {
    // Noise crosses zero far more often than the low tones of the other effects.
    EXPECT_GT(crossingRate(boostSound(kSynth), 0.2f, 0.4f),
              4.0f * crossingRate(bumpSound(kSynth), 0.05f, 0.25f));
}

TEST(RiderSounds, GeneratorWritesTheGamesWaveFiles) {
    test::TempDir dir;
    std::ostringstream log;
    OutputFolder out(dir.path().string(), log);
    const TextRenderer text;
    GeneratorContext context{out, text, kSynth};
    writeRiderSounds(context);
    const std::pair<const char*, std::vector<float>> expected[] = {{"wave/jump.wav", jumpSound(kSynth)},
                                                                   {"wave/boyon.wav", bumpSound(kSynth)},
                                                                   {"wave/boost.wav", boostSound(kSynth)}};
    for (const auto& [name, samples] : expected) {
        ASSERT_TRUE(std::filesystem::is_regular_file(dir.file(name))) << name;
        EXPECT_EQ(std::filesystem::file_size(dir.file(name)), wav::kHeaderBytes + 2 * samples.size()) << name;
    }
}

} // namespace
} // namespace qv::content
