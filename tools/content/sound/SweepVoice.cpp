#include "sound/SweepVoice.h"

#include "sound/BandPass.h"
#include "sound/LowPass.h"

#include <cmath>
#include <optional>

namespace qv::content {

std::vector<float> SweepVoice::render(float seconds, float sampleRate) const {
    const auto count = static_cast<size_t>(std::ceil(std::max(seconds, 0.0f) * sampleRate));
    std::vector<float> out(count, 0.0f);
    Oscillator oscillator(wave, sampleRate, 0.5f, noiseSeed);
    std::optional<BandPass> band;
    if (bandHz)
        band.emplace(sampleRate, bandQ);
    std::optional<LowPass> lowPass;
    if (lowPassHz > 0.0f)
        lowPass.emplace(sampleRate, lowPassHz);
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / sampleRate;
        float v = oscillator.next(frequency(t));
        if (band)
            v = band->process(v, bandHz(t));
        if (lowPass)
            v = lowPass->process(v);
        out[i] = v * level(t);
    }
    return out;
}

} // namespace qv::content
