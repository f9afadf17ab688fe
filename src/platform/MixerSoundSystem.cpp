#include "platform/MixerSoundSystem.h"

#include "core/FatalError.h"
#include "platform/AudioDrivers.h"
#include "platform/MixerSoundClip.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdio>

namespace qv {

namespace {
// About 23 ms of sound per mix, close to one 17 ms tick, so effects start with the action.
constexpr int kChunkSamples = 512;
constexpr char kSilentDriver[] = "dummy";

std::vector<std::string> builtDrivers() {
    std::vector<std::string> drivers;
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i)
        drivers.emplace_back(SDL_GetAudioDriver(i));
    return drivers;
}

// "pulseaudio: <why>; also tried pipewire, dsp"
std::string failures(const std::string& firstError, const std::vector<std::string>& tried) {
    std::string out = firstError;
    for (size_t i = 1; i < tried.size(); ++i)
        out += (i == 1 ? "; also tried " : ", ") + tried[i];
    return out;
}

int mixerVolume(float gain) {
    return static_cast<int>(std::lround(gain * static_cast<float>(MIX_MAX_VOLUME)));
}
} // namespace

MixerSoundSystem::MixerSoundSystem() {
    std::vector<std::string> tried;
    std::string error;
    if (!openAnyDevice(tried, error)) {
        std::fprintf(stderr, "warning: no sound device (%s), the game runs without sound\n",
                     failures(error, tried).c_str());
        if (!openDeviceWith(kSilentDriver, error))
            throw FatalError("ERROR : Initialize AudioPath");
    }
    applyLevels();
}

MixerSoundSystem::~MixerSoundSystem() {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool MixerSoundSystem::openAnyDevice(std::vector<std::string>& tried, std::string& error) {
    const char* chosen = SDL_GetHint(SDL_HINT_AUDIODRIVER);
    // The player's choice is left for SDL to read: it may name several drivers.
    const bool playerChose = chosen != nullptr && *chosen != '\0';
    const std::vector<std::string> drivers = playerChose
                                                 ? std::vector<std::string>{chosen}
                                                 : audioDriverCandidates(builtDrivers(), hasSoundCard());
    for (const std::string& driver : drivers) {
        std::string driverError;
        if (openDeviceWith(playerChose ? "" : driver, driverError))
            return true;
        if (tried.empty())
            error = driver + ": " + driverError;
        tried.push_back(driver);
    }
    if (tried.empty())
        error = "no audio driver";
    return false;
}

bool MixerSoundSystem::openDeviceWith(const std::string& driver, std::string& error) {
    if (driver.empty())
        return openDevice(error);
    // The override beats an SDL_AUDIODRIVER naming another driver; the hint is only read while
    // the subsystem starts, so it is dropped again right after.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
    const bool opened = openDevice(error);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return opened;
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
    Mix_ReserveChannels(kMusicChannels);
    Mix_GroupChannels(0, kMusicChannels - 1, kMusicTag);
    return true;
}

std::unique_ptr<SoundClip> MixerSoundSystem::makeClip(const std::string& path, bool looping,
                                                      SoundGroup group) {
    return std::make_unique<MixerSoundClip>(path, looping, group);
}

// Channel volumes apply to what a channel is playing now and keep for what it plays next.
void MixerSoundSystem::applyLevels() {
    const int music = mixerVolume(levels().gain(SoundGroup::Music));
    const int effects = mixerVolume(levels().gain(SoundGroup::Effects));
    for (int channel = 0; channel < kMixChannels; ++channel)
        Mix_Volume(channel, channel < kMusicChannels ? music : effects);
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
