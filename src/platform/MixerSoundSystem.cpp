#include "platform/MixerSoundSystem.h"

#include "core/FatalError.h"
#include "platform/MixerSoundClip.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace qv {

namespace {
// About 23 ms of sound per mix, close to one 17 ms tick, so effects start with the action.
constexpr int kChunkSamples = 512;
constexpr char kSilentDriver[] = "dummy";
} // namespace

MixerSoundSystem::MixerSoundSystem() {
    std::string error;
    if (openDevice(error))
        return;
    std::fprintf(stderr, "warning: no sound device (%s), the game runs without sound\n", error.c_str());
    // The override beats an SDL_AUDIODRIVER naming the driver that just failed; the hint is
    // only read while the subsystem starts, so it is dropped again right after.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, kSilentDriver, SDL_HINT_OVERRIDE);
    const bool opened = openDevice(error);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    if (!opened)
        throw FatalError("ERROR : Initialize AudioPath");
}

MixerSoundSystem::~MixerSoundSystem() {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool MixerSoundSystem::openDevice(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    // No changes allowed: SDL converts to whatever the device really plays.
    if (Mix_OpenAudioDevice(kFrequency, AUDIO_S16SYS, kOutputChannels, kChunkSamples, nullptr, 0) != 0) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kMixChannels);
    return true;
}

std::unique_ptr<SoundClip> MixerSoundSystem::createClip(const std::string& path, bool looping) {
    return std::make_unique<MixerSoundClip>(path, looping);
}

void MixerSoundSystem::pauseAll() {
    Mix_Pause(-1);
}

void MixerSoundSystem::resumeAll() {
    Mix_Resume(-1);
}

std::string MixerSoundSystem::driverName() const {
    const char* name = SDL_GetCurrentAudioDriver();
    return name != nullptr ? name : "";
}

} // namespace qv
