#include "sound/BandPass.h"

#include "core/Angles.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

BandPass::BandPass(float sampleRate, float q) : sampleRate_(sampleRate), damping_(1.0f / std::max(q, 0.5f)) {}

float BandPass::process(float input, float centreHz) {
    // The filter stays stable while the centre is well below a sixth of the sample rate.
    const float centre = std::clamp(centreHz, 10.0f, sampleRate_ / 7.0f);
    const float f = 2.0f * std::sin(kPi * centre / sampleRate_);
    low_ += f * band_;
    const float high = input - low_ - damping_ * band_;
    band_ += f * high;
    return band_;
}

} // namespace qv::content
