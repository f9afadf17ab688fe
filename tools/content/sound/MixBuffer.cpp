#include "sound/MixBuffer.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

MixBuffer::MixBuffer(bool loops, size_t length) : loops_(loops), samples_(length, 0.0f) {}

MixBuffer MixBuffer::loop(size_t length) {
    return MixBuffer(true, std::max<size_t>(length, 1));
}

MixBuffer MixBuffer::oneShot(size_t length) {
    return MixBuffer(false, length);
}

void MixBuffer::add(std::span<const float> sound, size_t offset, float gain) {
    if (loops_) {
        size_t at = offset % samples_.size();
        for (float s : sound) {
            samples_[at] += s * gain;
            at = at + 1 == samples_.size() ? 0 : at + 1;
        }
        return;
    }
    if (samples_.size() < offset + sound.size()) {
        samples_.resize(offset + sound.size(), 0.0f);
    }
    for (size_t i = 0; i < sound.size(); ++i) {
        samples_[offset + i] += sound[i] * gain;
    }
}

float MixBuffer::peak() const {
    float loudest = 0.0f;
    for (float s : samples_) {
        loudest = std::max(loudest, std::fabs(s));
    }
    return loudest;
}

float MixBuffer::rms() const {
    if (samples_.empty()) {
        return 0.0f;
    }
    double sum = 0.0;
    for (float s : samples_) {
        sum += static_cast<double>(s) * s;
    }
    return static_cast<float>(std::sqrt(sum / static_cast<double>(samples_.size())));
}

void MixBuffer::scaleToPeak(float target) {
    const float loudest = peak();
    if (loudest <= 0.0f) {
        return;
    }
    const float factor = target / loudest;
    for (float& s : samples_) {
        s *= factor;
    }
}

} // namespace qv::content
