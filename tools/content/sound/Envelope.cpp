#include "sound/Envelope.h"

#include <algorithm>

namespace qv::content {

float Envelope::heldLevel(float time) const {
    if (time < attack) {
        return time / attack;
    }
    if (time < attack + decay) {
        return 1.0f - (1.0f - sustain) * (time - attack) / decay;
    }
    return sustain;
}

float Envelope::levelAt(float time, float gate) const {
    if (time < 0.0f) {
        return 0.0f;
    }
    if (time < gate) {
        return heldLevel(time);
    }
    if (release <= 0.0f || time >= gate + release) {
        return 0.0f;
    }
    return heldLevel(gate) * (1.0f - (time - gate) / release);
}

} // namespace qv::content
