#pragma once

#include "sound/Instrument.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::content {

// Renders single notes of an instrument to samples in [-1, 1]-ish at one sample rate.
class Synth {
  public:
    explicit Synth(float sampleRate);

    float sampleRate() const { return sampleRate_; }
    size_t samplesFor(double seconds) const;

    // One note held for gateSeconds; the result runs on until every layer has faded out.
    // Noise layers draw from noiseSeed, so a given seed always gives the same note.
    std::vector<float> render(const Instrument& instrument, float frequency, float gateSeconds,
                              uint32_t noiseSeed) const;

  private:
    void renderLayer(const Layer& layer, float frequency, float gateSeconds, uint32_t noiseSeed,
                     std::vector<float>& out) const;

    float sampleRate_;
};

} // namespace qv::content
