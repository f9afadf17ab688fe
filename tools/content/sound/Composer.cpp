#include "sound/Composer.h"

#include "core/FatalError.h"
#include "sound/MixBuffer.h"

#include <cmath>
#include <string>

namespace qv::content {

Composer::Composer(const Synth& synth, double beatsPerMinute, int beatsPerBar)
    : synth_(synth), beatsPerBar_(beatsPerBar),
      samplesPerBeat_(static_cast<size_t>(std::llround(synth.sampleRate() * 60.0 / beatsPerMinute))) {
    const double exact = synth.sampleRate() * 60.0 / beatsPerMinute;
    if (beatsPerBar < 1 || std::fabs(exact - static_cast<double>(samplesPerBeat_)) > 1e-9) {
        throw FatalError("music: " + std::to_string(beatsPerMinute) +
                         " bpm is not a whole number of samples a beat");
    }
}

int Composer::bars() const {
    return static_cast<int>(std::ceil(endBeat_ / beatsPerBar_ - 1e-9));
}

void Composer::addPart(const Instrument& instrument, float gain, std::string_view noteText, double stepBeats,
                       int startBar, Echo echo) {
    const NoteSequence sequence = parseNoteText(noteText, {stepBeats, beatsPerBar_, instrument.hitFrequency});
    Part part{instrument, gain, echo, sequence.notes};
    const double offset = static_cast<double>(startBar) * beatsPerBar_;
    for (Note& note : part.notes) {
        note.beat += offset;
    }
    endBeat_ = std::max(endBeat_, offset + sequence.lengthBeats);
    parts_.push_back(std::move(part));
}

void Composer::mixInto(MixBuffer& buffer) const {
    const double secondsPerBeat = static_cast<double>(samplesPerBeat_) / synth_.sampleRate();
    uint32_t seed = 1;
    for (const Part& part : parts_) {
        for (const Note& note : part.notes) {
            const auto gate = static_cast<float>(note.beats * secondsPerBeat * part.instrument.gate);
            const std::vector<float> sound = synth_.render(part.instrument, note.frequency, gate, seed++);
            float gain = part.gain * note.velocity;
            for (int repeat = 0; repeat <= part.echo.count; ++repeat) {
                const double beat = note.beat + repeat * part.echo.delayBeats;
                buffer.add(sound,
                           static_cast<size_t>(std::llround(beat * static_cast<double>(samplesPerBeat_))),
                           gain);
                gain *= part.echo.decay;
            }
        }
    }
}

std::vector<float> Composer::renderLoop(int bars, float peak) const {
    MixBuffer buffer = MixBuffer::loop(samplesPerBar() * static_cast<size_t>(std::max(bars, 1)));
    mixInto(buffer);
    buffer.scaleToPeak(peak);
    return buffer.samples();
}

std::vector<float> Composer::renderOnce(float peak) const {
    MixBuffer buffer = MixBuffer::oneShot();
    mixInto(buffer);
    buffer.scaleToPeak(peak);
    return buffer.samples();
}

} // namespace qv::content
