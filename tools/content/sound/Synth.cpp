#include "sound/Synth.h"

#include "core/Angles.h"
#include "sound/LowPass.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace qv::content {

Synth::Synth(float sampleRate) : sampleRate_(sampleRate) {}

size_t Synth::samplesFor(double seconds) const {
    return static_cast<size_t>(std::ceil(std::max(seconds, 0.0) * sampleRate_));
}

std::vector<float> Synth::render(const Instrument& instrument, float frequency, float gateSeconds,
                                 uint32_t noiseSeed) const {
    if (instrument.ringsOut) {
        for (const Layer& layer : instrument.layers) {
            gateSeconds = std::max(gateSeconds, layer.envelope.attack + layer.envelope.decay);
        }
    }
    float length = 0.0f;
    for (const Layer& layer : instrument.layers) {
        length = std::max(length, layer.envelope.length(gateSeconds));
    }
    std::vector<float> out(samplesFor(length), 0.0f);
    uint32_t seed = noiseSeed;
    for (const Layer& layer : instrument.layers) {
        renderLayer(layer, frequency, gateSeconds, seed, out);
        seed = seed * 747796405u + 2891336453u; // each layer its own noise
    }
    return out;
}

void Synth::renderLayer(const Layer& layer, float frequency, float gateSeconds, uint32_t noiseSeed,
                        std::vector<float>& out) const {
    Oscillator oscillator(layer.wave, sampleRate_, layer.pulseWidth, noiseSeed);
    std::optional<LowPass> lowPass;
    std::optional<LowPass> highPassLow; // high-pass = input minus its low-passed self
    if (layer.lowPassHz > 0.0f) {
        lowPass.emplace(sampleRate_, layer.lowPassHz);
    }
    if (layer.highPassHz > 0.0f) {
        highPassLow.emplace(sampleRate_, layer.highPassHz, 1);
    }
    const size_t count = std::min(out.size(), samplesFor(layer.envelope.length(gateSeconds)));
    const float base = frequency * layer.ratio;
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / sampleRate_;
        float f = base * (1.0f + layer.pitchDrop * std::exp(-t / layer.pitchDropTime));
        if (layer.vibratoCents > 0.0f && t > layer.vibratoDelay) {
            const float depth = std::min(1.0f, (t - layer.vibratoDelay) / 0.2f) * layer.vibratoCents;
            f *= std::exp2(depth / 1200.0f * std::sin(kTwoPi * layer.vibratoHz * (t - layer.vibratoDelay)));
        }
        float v = oscillator.next(f);
        if (highPassLow) {
            v -= highPassLow->process(v);
        }
        if (lowPass) {
            v = lowPass->process(v);
        }
        out[i] += v * layer.gain * layer.envelope.levelAt(t, gateSeconds);
    }
}

} // namespace qv::content
