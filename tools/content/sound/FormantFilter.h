#pragma once

#include "sound/BandPass.h"

#include <vector>

namespace qv::content {

// One resonance of a vocal tract: a peak at `hz` of the given sharpness and loudness.
struct Formant {
    float hz;
    float q;
    float gain;
};

// Shapes a buzz or a breath into a vowel: band-passes at the vowel's formants, in parallel and
// summed. Each band is levelled to unit gain at its centre, so the gains alone set the balance.
class FormantFilter {
  public:
    FormantFilter(float sampleRate, std::vector<Formant> formants);

    float process(float input);

  private:
    std::vector<Formant> formants_;
    std::vector<BandPass> bands_;
};

} // namespace qv::content
