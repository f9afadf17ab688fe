#include "platform/NullSoundSystem.h"

#include <algorithm>

namespace qv {

std::unique_ptr<SoundClip> NullSoundSystem::makeClip(const std::string& path, bool /*looping*/,
                                                     SoundGroup group) {
    return std::make_unique<NullSoundClip>(path, group, events_);
}

size_t NullSoundSystem::countOf(const std::string& path, bool play) const {
    return static_cast<size_t>(std::ranges::count_if(
        events_, [&](const SoundEvent& event) { return event.path == path && event.play == play; }));
}

} // namespace qv
