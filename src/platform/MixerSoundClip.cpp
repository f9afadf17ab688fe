#include "platform/MixerSoundClip.h"

#include "core/FilePaths.h"

#include <SDL_mixer.h>

namespace qv {

namespace {
constexpr int kAnyFreeChannel = -1;
constexpr int kLoopForever = -1;
} // namespace

MixerSoundClip::MixerSoundClip(const std::string& path, bool looping)
    : chunk_(Mix_LoadWAV(resolvePath(path).c_str())), looping_(looping) {}

MixerSoundClip::~MixerSoundClip() {
    if (chunk_ == nullptr)
        return;
    stop();
    Mix_FreeChunk(chunk_);
}

void MixerSoundClip::play() {
    // All 64 channels busy: this instance is dropped, as an overloaded mixer would.
    if (chunk_ != nullptr)
        Mix_PlayChannel(kAnyFreeChannel, chunk_, looping_ ? kLoopForever : 0);
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
