#pragma once

#include "sound/Instrument.h"
#include "sound/NoteText.h"
#include "sound/Synth.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace qv::content {

class MixBuffer;

// Echoes of a part's notes: `count` repeats, each `delayBeats` later and `decay` times softer.
struct Echo {
    int count = 0;
    double delayBeats = 0.75;
    float decay = 0.35f;
};

// A piece of music: parts of note text for instruments, on a beat grid of whole samples, mixed
// either as a seamless loop of whole bars or as a one-shot that ends when its last note has died.
class Composer {
  public:
    // Throws FatalError unless a beat is a whole number of samples at the synth's rate, which
    // keeps every bar, and so the loop length, sample-exact.
    Composer(const Synth& synth, double beatsPerMinute, int beatsPerBar);

    size_t samplesPerBeat() const { return samplesPerBeat_; }
    size_t samplesPerBar() const { return samplesPerBeat_ * static_cast<size_t>(beatsPerBar_); }
    int beatsPerBar() const { return beatsPerBar_; }
    // Whole bars covered by the parts added so far.
    int bars() const;

    // Adds a part starting at `startBar`, each text step `stepBeats` long.
    void addPart(const Instrument& instrument, float gain, std::string_view noteText, double stepBeats,
                 int startBar = 0, Echo echo = {});

    std::vector<float> renderLoop(int bars, float peak) const;
    std::vector<float> renderOnce(float peak) const;

  private:
    struct Part {
        Instrument instrument;
        float gain;
        Echo echo;
        std::vector<Note> notes; // beats from the start of the piece
    };

    void mixInto(MixBuffer& buffer) const;

    const Synth& synth_;
    int beatsPerBar_;
    size_t samplesPerBeat_;
    double endBeat_ = 0.0;
    std::vector<Part> parts_;
};

} // namespace qv::content
