#include "sound/Composer.h"
#include "core/FatalError.h"
#include "sound/NoteText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::content {
namespace {

TEST(NoteText, NamesGiveEqualTemperedPitches) {
    EXPECT_FLOAT_EQ(noteFrequency("A4"), 440.0f);
    EXPECT_NEAR(noteFrequency("C4"), 261.626f, 0.01f);
    EXPECT_NEAR(noteFrequency("F#5"), 739.989f, 0.01f);
    EXPECT_FLOAT_EQ(noteFrequency("Bb3"), noteFrequency("A#3"));
    EXPECT_FLOAT_EQ(noteFrequency("A3"), 220.0f);
    for (const char* bad : {"H4", "A", "C#", "Cx4", "C44", ""}) {
        EXPECT_THROW(noteFrequency(bad), FatalError) << bad;
    }
}

TEST(NoteText, StepsRestsHoldsAndChordsLandOnTheirBeats) {
    const NoteSequence s = parseNoteText("C4 - . E4+G4:2 x X . | A4", {0.5, 2, 99.0f});
    ASSERT_EQ(s.notes.size(), 6u);
    EXPECT_DOUBLE_EQ(s.notes[0].beat, 0.0);
    EXPECT_DOUBLE_EQ(s.notes[0].beats, 1.0); // held one step longer
    EXPECT_DOUBLE_EQ(s.notes[1].beat, 1.5);  // after the rest
    EXPECT_DOUBLE_EQ(s.notes[2].beat, 1.5);  // the chord's second note
    EXPECT_DOUBLE_EQ(s.notes[2].beats, 1.0);
    EXPECT_FLOAT_EQ(s.notes[2].frequency, noteFrequency("G4"));
    EXPECT_FLOAT_EQ(s.notes[3].frequency, 99.0f);
    EXPECT_LT(s.notes[3].velocity, s.notes[4].velocity); // plain hit, then accented
    EXPECT_DOUBLE_EQ(s.notes[5].beat, 4.0);
    EXPECT_DOUBLE_EQ(s.lengthBeats, 4.5);
}

TEST(NoteText, MistakesAreReported) {
    const NoteTextFormat format{0.5, 4, 100.0f};
    EXPECT_THROW(parseNoteText("C4 D4 E4 |", format), FatalError); // bar line after 1.5 beats
    EXPECT_THROW(parseNoteText("- C4", format), FatalError);       // holds nothing
    EXPECT_THROW(parseNoteText("C4 . -", format), FatalError);     // holds a rest
    EXPECT_THROW(parseNoteText("C4:0", format), FatalError);
    EXPECT_THROW(parseNoteText("C4:x", format), FatalError);
    EXPECT_NO_THROW(parseNoteText("C4:8 | x:4 . . . . |", format));
}

TEST(Composer, BeatsMustBeWholeSamples) {
    const Synth synth(22050.0f);
    EXPECT_THROW(Composer(synth, 130.0, 4), FatalError);
    const Composer song(synth, 126.0, 4);
    EXPECT_EQ(song.samplesPerBeat(), 10500u);
    EXPECT_EQ(song.samplesPerBar(), 42000u);
}

TEST(Composer, LoopIsWholeBarsAndANoteOverTheEndCarriesOnAtTheStart) {
    const Synth synth(22050.0f);
    Composer song(synth, 120.0, 2);
    Instrument tone{{Layer{.wave = Waveform::Sine, .envelope = {0.005f, 0.0f, 1.0f, 0.005f}}}, 1.0f};
    // Held from the middle of the last beat to the middle of the first beat of the next pass.
    song.addPart(tone, 1.0f, ". . . A4:2", 0.5, 0);
    EXPECT_EQ(song.bars(), 2);
    const std::vector<float> loop = song.renderLoop(1, 0.5f);
    ASSERT_EQ(loop.size(), 22050u);
    auto peakIn = [&loop](size_t from, size_t to) {
        float peak = 0.0f;
        for (size_t i = from; i < to; ++i) {
            peak = std::max(peak, std::fabs(loop[i]));
        }
        return peak;
    };
    EXPECT_GT(peakIn(0, 5000), 0.45f);     // the tail carried on at the start
    EXPECT_LT(peakIn(6000, 16000), 1e-6f); // and nowhere else
    EXPECT_GT(peakIn(17000, 22050), 0.45f);
    EXPECT_LT(std::fabs(loop.back() - loop.front()), 0.1f);
}

TEST(Composer, OneShotRunsUntilTheLastNoteHasDied) {
    const Synth synth(22050.0f);
    Composer song(synth, 120.0, 4);
    Instrument tone{{Layer{.wave = Waveform::Sine, .envelope = {0.005f, 0.0f, 1.0f, 0.25f}}}, 1.0f};
    song.addPart(tone, 1.0f, "A4 . E5", 1.0);
    const std::vector<float> once = song.renderOnce(0.8f);
    EXPECT_EQ(once.size(), 2u * 11025u + synth.samplesFor(0.75));
    float peak = 0.0f;
    for (float s : once) {
        peak = std::max(peak, std::fabs(s));
    }
    EXPECT_FLOAT_EQ(peak, 0.8f);
}

} // namespace
} // namespace qv::content
