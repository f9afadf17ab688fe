#include "sound/Instruments.h"

namespace qv::content::instruments {

Instrument lead() {
    Layer main{.wave = Waveform::Square,
               .gain = 0.55f,
               .pulseWidth = 0.3f,
               .envelope = {0.006f, 0.15f, 0.65f, 0.08f},
               .lowPassHz = 3200.0f,
               .vibratoCents = 14.0f,
               .vibratoHz = 5.5f,
               .vibratoDelay = 0.18f};
    Layer chorus = main;
    chorus.gain = 0.3f;
    chorus.pulseWidth = 0.5f;
    chorus.ratio = 1.004f; // a few cents sharp: a wider, livelier tone
    Layer body{
        .wave = Waveform::Triangle, .gain = 0.35f, .ratio = 0.5f, .envelope = {0.006f, 0.2f, 0.6f, 0.08f}};
    return {{main, chorus, body}, 0.85f};
}

Instrument bass() {
    Layer round{.wave = Waveform::Triangle, .gain = 0.9f, .envelope = {0.004f, 0.18f, 0.55f, 0.04f}};
    Layer edge{.wave = Waveform::Square,
               .gain = 0.3f,
               .envelope = {0.004f, 0.09f, 0.25f, 0.04f},
               .lowPassHz = 700.0f};
    return {{round, edge}, 0.8f};
}

Instrument stab() {
    Layer tone{.wave = Waveform::Square,
               .gain = 0.35f,
               .pulseWidth = 0.4f,
               .envelope = {0.003f, 0.09f, 0.2f, 0.05f},
               .lowPassHz = 2000.0f};
    return {{tone}, 0.7f};
}

Instrument arp() {
    Layer tone{.wave = Waveform::Triangle, .gain = 0.5f, .envelope = {0.003f, 0.12f, 0.0f, 0.03f}};
    Layer shine{
        .wave = Waveform::Sine, .gain = 0.2f, .ratio = 2.0f, .envelope = {0.003f, 0.08f, 0.0f, 0.03f}};
    return {{tone, shine}, 0.9f};
}

Instrument bell() {
    Layer fundamental{.wave = Waveform::Sine, .gain = 0.6f, .envelope = {0.002f, 1.1f, 0.0f, 0.2f}};
    Layer overtone{
        .wave = Waveform::Sine, .gain = 0.25f, .ratio = 2.76f, .envelope = {0.002f, 0.45f, 0.0f, 0.1f}};
    Layer glint{.wave = Waveform::Sine, .gain = 0.1f, .ratio = 5.4f, .envelope = {0.001f, 0.2f, 0.0f, 0.05f}};
    return {{fundamental, overtone, glint}, 1.0f, 100.0f, true};
}

Instrument beep() {
    Layer tone{.wave = Waveform::Square,
               .gain = 0.45f,
               .envelope = {0.004f, 0.05f, 0.8f, 0.03f},
               .lowPassHz = 4000.0f};
    Layer pure{.wave = Waveform::Sine, .gain = 0.4f, .envelope = {0.004f, 0.05f, 0.8f, 0.03f}};
    return {{tone, pure}, 0.9f};
}

Instrument siren() {
    Layer buzz{.wave = Waveform::Square,
               .gain = 0.5f,
               .pulseWidth = 0.5f,
               .envelope = {0.01f, 0.05f, 0.85f, 0.03f},
               .lowPassHz = 2500.0f,
               .vibratoCents = 25.0f,
               .vibratoHz = 12.0f,
               .vibratoDelay = 0.0f};
    Layer low{
        .wave = Waveform::Triangle, .gain = 0.45f, .ratio = 0.5f, .envelope = {0.01f, 0.05f, 0.85f, 0.03f}};
    return {{buzz, low}, 0.92f};
}

Instrument kick() {
    Layer thump{.wave = Waveform::Sine,
                .gain = 1.0f,
                .envelope = {0.001f, 0.28f, 0.0f, 0.01f},
                .pitchDrop = 2.5f,
                .pitchDropTime = 0.035f};
    Layer click{.wave = Waveform::Noise,
                .gain = 0.25f,
                .envelope = {0.0005f, 0.012f, 0.0f, 0.005f},
                .lowPassHz = 2500.0f};
    return {{thump, click}, 1.0f, 52.0f, true};
}

Instrument snare() {
    Layer rattle{.wave = Waveform::Noise,
                 .gain = 0.55f,
                 .envelope = {0.001f, 0.16f, 0.0f, 0.02f},
                 .lowPassHz = 7000.0f,
                 .highPassHz = 1200.0f};
    Layer body{.wave = Waveform::Triangle,
               .gain = 0.5f,
               .envelope = {0.001f, 0.08f, 0.0f, 0.01f},
               .pitchDrop = 0.6f,
               .pitchDropTime = 0.02f};
    return {{rattle, body}, 1.0f, 190.0f, true};
}

Instrument hiHat() {
    Layer hiss{.wave = Waveform::Noise,
               .gain = 0.35f,
               .envelope = {0.0005f, 0.045f, 0.0f, 0.01f},
               .highPassHz = 5000.0f};
    return {{hiss}, 1.0f, 1000.0f, true};
}

Instrument crash() {
    Layer wash{.wave = Waveform::Noise,
               .gain = 0.3f,
               .envelope = {0.002f, 1.2f, 0.0f, 0.1f},
               .lowPassHz = 9000.0f,
               .highPassHz = 3000.0f};
    return {{wash}, 1.0f, 1000.0f, true};
}

} // namespace qv::content::instruments
