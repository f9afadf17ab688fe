#include "platform/SoundSystem.h"

namespace qv {

void SoundSystem::setVolume(SoundGroup group, int32_t percent) {
    levels_.setVolume(group, percent);
    applyLevels();
}

void SoundSystem::setMuted(bool muted) {
    levels_.setMuted(muted);
    applyLevels();
}

} // namespace qv
