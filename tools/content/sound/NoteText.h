#pragma once

#include <string_view>
#include <vector>

namespace qv::content {

struct Note {
    double beat = 0.0;  // start, in beats from the start of the part
    double beats = 0.0; // written length
    float frequency = 0.0f;
    float velocity = 1.0f;
};

// A part written as text, one token per step:
//   C4 F#5 Bb3   a note (the octave of A4 = 440 Hz is 4)
//   C4+E4+G4     a chord
//   x X          a hit (drums) at the part's hit frequency, normal and accented
//   -            holds the previous note one step longer
//   .            a rest
//   |            a bar line; it must fall on a whole bar, which catches miscounted bars
// Any token may end in ":n" to last n steps. Malformed text throws FatalError.
struct NoteTextFormat {
    double stepBeats = 0.5;
    int beatsPerBar = 4;
    float hitFrequency = 100.0f;
};

struct NoteSequence {
    std::vector<Note> notes;
    double lengthBeats = 0.0;
};

NoteSequence parseNoteText(std::string_view text, const NoteTextFormat& format);
// "A4" -> 440 Hz; throws FatalError for anything that is not a note name.
float noteFrequency(std::string_view name);

} // namespace qv::content
