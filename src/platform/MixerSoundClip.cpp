#include "platform/MixerSoundClip.h"

#include "core/FilePaths.h"
#include "platform/MixerSoundSystem.h"
#include "platform/WaveHeader.h"

#include <SDL_mixer.h>

namespace qv {

namespace {
constexpr int kAnyFreeChannel = -1;
constexpr int kNoChannel = -1;
constexpr int kLoopForever = -1;

// The file is read and its header checked here, so SDL_mixer never opens a pipe or a device nor
// trusts a header that would have it allocate gigabytes; such a file is a silent clip, as a
// missing one is.
Mix_Chunk* loadChunk(const std::string& path) {
    std::string bytes;
    std::string error;
    if (!readFile(resolvePath(path), bytes, WaveHeader::kMaxFileBytes) || !WaveHeader::check(bytes, error))
        return nullptr;
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

} // namespace

MixerSoundClip::MixerSoundClip(const std::string& path, bool looping, SoundGroup group)
    : chunk_(loadChunk(path)), looping_(looping), group_(group) {}

MixerSoundClip::~MixerSoundClip() {
    if (chunk_ == nullptr)
        return;
    stop();
    Mix_FreeChunk(chunk_);
}

void MixerSoundClip::play() {
    if (chunk_ == nullptr)
        return;
    const int loops = looping_ ? kLoopForever : 0;
    // Every channel of the group busy: this instance is dropped, as an overloaded mixer would.
    if (group_ == SoundGroup::Effects) {
        Mix_PlayChannel(kAnyFreeChannel, chunk_, loops); // any but the music's, which are reserved
        return;
    }
    const int channel = Mix_GroupAvailable(MixerSoundSystem::kMusicTag);
    if (channel != kNoChannel)
        Mix_PlayChannel(channel, chunk_, loops);
}

void MixerSoundClip::stop() {
    forEachPlayingChannel([](int channel) { Mix_HaltChannel(channel); });
}

int MixerSoundClip::playingCount() const {
    int count = 0;
    forEachPlayingChannel([&count](int) { ++count; });
    return count;
}

template <typename Action> void MixerSoundClip::forEachPlayingChannel(Action action) const {
    if (chunk_ == nullptr)
        return;
    const int channels = Mix_AllocateChannels(-1);
    for (int channel = 0; channel < channels; ++channel) {
        if (Mix_Playing(channel) && Mix_GetChunk(channel) == chunk_)
            action(channel);
    }
}

} // namespace qv
