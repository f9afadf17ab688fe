#include "sound/SoundShaping.h"

#include "sound/MixBuffer.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

namespace {
constexpr float kFadeIn = 0.002f;  // seconds
constexpr float kFadeOut = 0.015f; // seconds
} // namespace

std::vector<float> finishEffect(std::vector<float> samples, float sampleRate, float peak) {
    for (size_t i = 0; i < samples.size(); ++i) {
        const float fromStart = static_cast<float>(i) / sampleRate;
        const float toEnd = static_cast<float>(samples.size() - 1 - i) / sampleRate;
        samples[i] *= std::min({1.0f, fromStart / kFadeIn, toEnd / kFadeOut});
    }
    MixBuffer levelled = MixBuffer::oneShot();
    levelled.add(samples, 0);
    levelled.scaleToPeak(peak);
    return levelled.samples();
}

SweepVoice::Curve pluck(float attack, float decay) {
    return [attack, decay](float t) {
        return std::min(t / attack, 1.0f) * std::exp(-std::max(t - attack, 0.0f) / decay);
    };
}

} // namespace qv::content
