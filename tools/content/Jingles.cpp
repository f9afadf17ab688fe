#include "Jingles.h"

#include "sound/Composer.h"
#include "sound/Instruments.h"

namespace qv::content {

namespace {
constexpr float kCuePeak = 0.8f;
constexpr float kAlarmPeak = 0.6f;
constexpr double kSixteenth = 0.25;
} // namespace

std::vector<float> logoJingle(const Synth& synth) {
    Composer song(synth, 150.0, 4);
    song.addPart(instruments::bell(), 0.7f, "C5 E5 G5 C6 E6:12", kSixteenth);
    song.addPart(instruments::stab(), 0.6f, ". . . . C5+E5+G5:6", kSixteenth);
    song.addPart(instruments::lead(), 0.35f, ". . . . C6:6", kSixteenth);
    song.addPart(instruments::bass(), 0.8f, ". . . . C3:6", kSixteenth);
    song.addPart(instruments::kick(), 0.8f, ". . . . X", kSixteenth);
    song.addPart(instruments::crash(), 0.6f, ". . . . X", kSixteenth);
    return song.renderOnce(kCuePeak);
}

std::vector<float> readySting(const Synth& synth) {
    Composer song(synth, 150.0, 4);
    song.addPart(instruments::beep(), 0.7f, "G5:2 . A5:2 . B5:2 .", kSixteenth);
    song.addPart(instruments::lead(), 0.5f, ". . . . . . . . . C5+E5+G5+C6:8", kSixteenth);
    song.addPart(instruments::bass(), 0.9f, ". . . . . . . . . C3:8", kSixteenth);
    song.addPart(instruments::kick(), 0.8f, ". . . . . . . . . X", kSixteenth);
    song.addPart(instruments::snare(), 0.5f, ". . . . . . . x x", kSixteenth);
    song.addPart(instruments::crash(), 0.5f, ". . . . . . . . . X", kSixteenth);
    return song.renderOnce(kCuePeak);
}

std::vector<float> warningAlarm(const Synth& synth) {
    Composer song(synth, kWarningTempo, kWarningBeatsPerBar);
    song.addPart(instruments::siren(), 1.0f, "A5 E5 |", 1.0);
    return song.renderLoop(1, kAlarmPeak);
}

} // namespace qv::content
