#include "platform/NullSoundClip.h"

#include "core/FilePaths.h"

#include <filesystem>
#include <system_error>

namespace qv {

NullSoundClip::NullSoundClip(const std::string& path, std::vector<SoundEvent>& log) : path_(path), log_(log) {
    std::error_code ec;
    loaded_ = std::filesystem::is_regular_file(resolvePath(path), ec);
}

void NullSoundClip::record(bool play) {
    if (loaded_)
        log_.push_back(SoundEvent{path_, play});
}

} // namespace qv
