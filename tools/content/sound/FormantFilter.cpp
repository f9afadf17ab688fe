#include "sound/FormantFilter.h"

#include <algorithm>
#include <utility>

namespace qv::content {

FormantFilter::FormantFilter(float sampleRate, std::vector<Formant> formants)
    : formants_(std::move(formants)) {
    bands_.reserve(formants_.size());
    for (const Formant& f : formants_)
        bands_.emplace_back(sampleRate, f.q);
}

float FormantFilter::process(float input) {
    float out = 0.0f;
    for (size_t i = 0; i < bands_.size(); ++i) {
        const Formant& f = formants_[i];
        // The band's peak gain is its q; divide it out. BandPass keeps q at 0.5 or more.
        out += bands_[i].process(input, f.hz) * f.gain / std::max(f.q, 0.5f);
    }
    return out;
}

} // namespace qv::content
