#include "sound/NoteText.h"

#include "core/FatalError.h"

#include <cmath>
#include <string>

namespace qv::content {

namespace {

constexpr float kHitVelocity = 0.7f;

[[noreturn]] void fail(std::string_view token, const std::string& why) {
    throw FatalError("note text: \"" + std::string(token) + "\" " + why);
}

int semitoneOfLetter(char letter) {
    switch (letter) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
        return 11;
    default:
        return -1;
    }
}

// Splits "C4:3" into the symbol and its step count.
int stepCount(std::string_view& token) {
    const size_t colon = token.find(':');
    if (colon == std::string_view::npos) {
        return 1;
    }
    const std::string count(token.substr(colon + 1));
    const std::string whole(token);
    token = token.substr(0, colon);
    if (count.empty() || count.find_first_not_of("0123456789") != std::string::npos || std::stoi(count) < 1) {
        fail(whole, "has a bad step count");
    }
    return std::stoi(count);
}

void addChord(std::string_view symbol, double beat, double beats, NoteSequence& out) {
    size_t start = 0;
    while (start <= symbol.size()) {
        const size_t plus = symbol.find('+', start);
        const std::string_view name =
            symbol.substr(start, plus == std::string_view::npos ? plus : plus - start);
        out.notes.push_back({beat, beats, noteFrequency(name), 1.0f});
        if (plus == std::string_view::npos) {
            break;
        }
        start = plus + 1;
    }
}

// Lengthens every note that started on the last sounding step.
void holdPrevious(std::string_view token, double lastStart, double steps, NoteSequence& out) {
    bool held = false;
    for (Note& note : out.notes) {
        if (note.beat == lastStart) {
            note.beats += steps;
            held = true;
        }
    }
    if (!held) {
        fail(token, "holds nothing");
    }
}

} // namespace

float noteFrequency(std::string_view name) {
    if (name.size() < 2 || semitoneOfLetter(name[0]) < 0) {
        fail(name, "is not a note");
    }
    int semitone = semitoneOfLetter(name[0]);
    std::string_view octave = name.substr(1);
    if (octave[0] == '#' || octave[0] == 'b') {
        semitone += octave[0] == '#' ? 1 : -1;
        octave = octave.substr(1);
    }
    if (octave.size() != 1 || octave[0] < '0' || octave[0] > '9') {
        fail(name, "has no octave 0..9");
    }
    const int midi = 12 * (octave[0] - '0' + 1) + semitone;
    return 440.0f * std::exp2(static_cast<float>(midi - 69) / 12.0f);
}

NoteSequence parseNoteText(std::string_view text, const NoteTextFormat& format) {
    NoteSequence out;
    double beat = 0.0;
    double lastStart = -1.0;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t begin = text.find_first_not_of(" \t\r\n", pos);
        if (begin == std::string_view::npos) {
            break;
        }
        const size_t end = std::min(text.find_first_of(" \t\r\n", begin), text.size());
        std::string_view token = text.substr(begin, end - begin);
        pos = end;
        if (token == "|") {
            const double bars = beat / format.beatsPerBar;
            if (std::fabs(bars - std::round(bars)) > 1e-9) {
                fail(token, "at beat " + std::to_string(beat) + " is not on a bar");
            }
            continue;
        }
        const std::string_view whole = token;
        const double beats = stepCount(token) * format.stepBeats;
        if (token == "-") {
            holdPrevious(whole, lastStart, beats, out);
        } else if (token == "x" || token == "X") {
            out.notes.push_back({beat, beats, format.hitFrequency, token == "X" ? 1.0f : kHitVelocity});
            lastStart = beat;
        } else if (token == ".") {
            lastStart = -1.0;
        } else {
            addChord(token, beat, beats, out);
            lastStart = beat;
        }
        beat += beats;
    }
    out.lengthBeats = beat;
    return out;
}

} // namespace qv::content
