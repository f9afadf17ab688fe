#include "platform/SoundLevels.h"

#include <algorithm>

namespace qv {

void SoundLevels::setVolume(SoundGroup group, int32_t percent) {
    const int32_t clamped = std::clamp(percent, 0, kFullVolume);
    (group == SoundGroup::Music ? music_ : effects_) = clamped;
}

float SoundLevels::gain(SoundGroup group) const {
    if (muted_)
        return 0.0f;
    return static_cast<float>(volume(group)) / static_cast<float>(kFullVolume);
}

} // namespace qv
