#include "BackgroundMusic.h"

#include "sound/Composer.h"
#include "sound/Instruments.h"

#include <array>
#include <string>

namespace qv::content {

namespace {

constexpr float kMusicPeak = 0.7f;
constexpr double kEighth = 0.5;
constexpr double kSixteenth = 0.25;

struct Chord {
    const char* bassLow;
    const char* bassHigh;
    const char* bassFifth;
    const char* stab;
    std::array<const char*, 4> arpeggio;
};

const Chord kC{"C2", "C3", "G2", "C4+E4+G4", {"C5", "E5", "G5", "C6"}};
const Chord kAm{"A2", "A3", "E3", "A3+C4+E4", {"A4", "C5", "E5", "A5"}};
const Chord kF{"F2", "F3", "C3", "A3+C4+F4", {"F4", "A4", "C5", "F5"}};
const Chord kG{"G2", "G3", "D3", "B3+D4+G4", {"G4", "B4", "D5", "G5"}};
const Chord kEm{"E2", "E3", "B2", "B3+E4+G4", {"E4", "G4", "B4", "E5"}};
const Chord kDm{"D2", "D3", "A2", "A3+D4+F4", {"D4", "F4", "A4", "D5"}};

// One or two chords a bar (two split it in halves). Verse, then a lifting second half that
// ends on G so the loop falls back home to C.
struct Bar {
    const Chord* first;
    const Chord* second; // null: the first chord holds the whole bar
};
const std::array<Bar, kMusicBars> kProgression{{{&kC, nullptr},
                                                {&kAm, nullptr},
                                                {&kF, nullptr},
                                                {&kG, nullptr},
                                                {&kC, nullptr},
                                                {&kAm, nullptr},
                                                {&kF, &kG},
                                                {&kC, nullptr},
                                                {&kF, nullptr},
                                                {&kG, nullptr},
                                                {&kEm, nullptr},
                                                {&kAm, nullptr},
                                                {&kDm, nullptr},
                                                {&kG, nullptr},
                                                {&kF, nullptr},
                                                {&kG, nullptr}}};

constexpr const char* kMelody = "E4 G4 C5 - B4 C5 G4 - | A4 - E4 - A4 B4 C5 - | A4 - F4 A4 C5 - A4 - | "
                                "G4 A4 B4 - D5 - B4 - | E4 G4 C5 - B4 C5 E5 - | D5 C5 A4 - E4 - A4 - | "
                                "F4 A4 C5 A4 D5 - B4 - | C5 - G4 - C5 - - . | "
                                "A4 - C5 - F5 - E5 D5 | D5 - B4 - G4 - A4 B4 | G4 - B4 - E5 - D5 B4 | "
                                "C5 - A4 - E4 - A4 B4 | A4 - D5 - F5 - E5 D5 | D5 - B4 - G4 - B4 D5 | "
                                "C5 - A4 - F4 - A4 C5 | B4 - G4 - F4 - D4 - |";

constexpr const char* kKickBar = "X . . . . . . . X . x . . . . . |";
constexpr const char* kSnareBar = ". . . . X . . . . . . . X . . . |";
constexpr const char* kSnareFill = ". . . . X . . . X . X . X X X X |";
constexpr const char* kHatBar = "X . x . X . x . X . x . X . x . |";
constexpr const char* kHatFill = "X . x . X . x . . . . . . . . . |";

bool isFillBar(int bar) {
    return bar % 8 == 7;
}

// Calls emit(chord, eighths) for each chord of each bar, eight eighths to a bar.
template <typename Emit> std::string perChord(Emit emit) {
    std::string text;
    for (const Bar& bar : kProgression) {
        text += bar.second ? emit(*bar.first, 4) + emit(*bar.second, 4) : emit(*bar.first, 8);
        text += "| ";
    }
    return text;
}

std::string bassLine() {
    return perChord([](const Chord& c, int eighths) {
        std::string text;
        for (int i = 0; i < eighths; ++i) {
            const bool fifth = i == eighths - 2;
            text += std::string(fifth ? c.bassFifth : i % 2 == 0 ? c.bassLow : c.bassHigh) + " ";
        }
        return text;
    });
}

std::string offBeatStabs() {
    return perChord([](const Chord& c, int eighths) {
        std::string text;
        for (int i = 0; i < eighths; i += 2) {
            text += std::string(". ") + c.stab + " ";
        }
        return text;
    });
}

// Sixteenth-note broken chords, played in the second half only.
std::string arpeggios() {
    std::string text;
    for (int bar = 0; bar < kMusicBars; ++bar) {
        const Bar& b = kProgression[static_cast<size_t>(bar)];
        for (int step = 0; step < 16; ++step) {
            const Chord& c = b.second && step >= 8 ? *b.second : *b.first;
            text += bar < kMusicBars / 2 ? std::string(". ") : std::string(c.arpeggio[step % 4]) + " ";
        }
        text += "| ";
    }
    return text;
}

std::string drumPart(const char* bar, const char* fill) {
    std::string text;
    for (int i = 0; i < kMusicBars; ++i) {
        text += isFillBar(i) ? fill : bar;
        text += " ";
    }
    return text;
}

} // namespace

std::vector<float> backgroundMusic(const Synth& synth) {
    Composer song(synth, kMusicTempo, kMusicBeatsPerBar);
    song.addPart(instruments::lead(), 0.5f, kMelody, kEighth, 0, {2, 0.75, 0.3f});
    song.addPart(instruments::bass(), 0.6f, bassLine(), kEighth);
    song.addPart(instruments::stab(), 0.3f, offBeatStabs(), kEighth);
    song.addPart(instruments::arp(), 0.22f, arpeggios(), kSixteenth);
    song.addPart(instruments::kick(), 0.75f, drumPart(kKickBar, kKickBar), kSixteenth);
    song.addPart(instruments::snare(), 0.5f, drumPart(kSnareBar, kSnareFill), kSixteenth);
    song.addPart(instruments::hiHat(), 0.6f, drumPart(kHatBar, kHatFill), kSixteenth);
    song.addPart(instruments::crash(), 0.35f, "X", kSixteenth);
    song.addPart(instruments::crash(), 0.3f, "X", kSixteenth, kMusicBars / 2);
    return song.renderLoop(kMusicBars, kMusicPeak);
}

} // namespace qv::content
