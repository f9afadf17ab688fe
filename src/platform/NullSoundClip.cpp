#include "platform/NullSoundClip.h"

#include "core/FilePaths.h"

#include <filesystem>
#include <system_error>

namespace qv {

NullSoundClip::NullSoundClip(const std::string& path, SoundGroup group, std::vector<SoundEvent>& log)
    : path_(path), group_(group), log_(log) {
    std::error_code ec;
    loaded_ = std::filesystem::is_regular_file(resolvePath(path), ec);
}

void NullSoundClip::record(bool play) {
    if (loaded_)
        log_.push_back(SoundEvent{path_, play, group_});
}

} // namespace qv
