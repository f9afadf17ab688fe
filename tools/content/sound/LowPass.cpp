#include "sound/LowPass.h"

#include "core/Angles.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

LowPass::LowPass(float sampleRate, float cutoffHz, int poles)
    : coefficient_(1.0f - std::exp(-kTwoPi * std::max(cutoffHz, 1.0f) / sampleRate)),
      poles_(std::clamp(poles, 1, kMaxPoles)) {}

float LowPass::process(float input) {
    float value = input;
    for (int i = 0; i < poles_; ++i) {
        state_[i] += coefficient_ * (value - state_[i]);
        value = state_[i];
    }
    return value;
}

} // namespace qv::content
