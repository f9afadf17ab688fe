#pragma once

#include "platform/SoundSystem.h"

#include <string>
#include <vector>

namespace qv {

// The real mixer: SDL2_mixer at 22050 Hz, 16-bit stereo, 64 channels, the first two of them kept
// for the music so that each group's volume is a volume of its channels. Without a usable sound
// device it warns once on stderr and opens SDL's silent "dummy" driver, so the game still runs.
// Only one may exist at a time, and every clip it made must be destroyed before it.
class MixerSoundSystem : public SoundSystem {
  public:
    static constexpr int kFrequency = 22050;
    static constexpr int kOutputChannels = 2;
    static constexpr int kMixChannels = 64;
    // Channels 0 and 1 play the music (mixer group kMusicTag); effects take any of the others.
    static constexpr int kMusicChannels = 2;
    static constexpr int kMusicTag = 1;

    // Throws FatalError("ERROR : Initialize AudioPath") when not even the dummy driver opens.
    MixerSoundSystem();
    // Stops every sound and closes the audio device.
    ~MixerSoundSystem() override;
    MixerSoundSystem(const MixerSoundSystem&) = delete;
    MixerSoundSystem& operator=(const MixerSoundSystem&) = delete;

    void pauseAll() override;
    void resumeAll() override;

    // The SDL audio driver in use ("dummy" after the fallback).
    std::string driverName() const;

  protected:
    std::unique_ptr<SoundClip> makeClip(const std::string& path, bool looping, SoundGroup group) override;
    void applyLevels() override;

  private:
    // The player's SDL_AUDIODRIVER if set, else every driver worth trying here, in SDL's order;
    // false with the drivers tried and the first one's error when none opens.
    static bool openAnyDevice(std::vector<std::string>& tried, std::string& error);
    // An empty driver leaves the choice to SDL (and SDL_AUDIODRIVER).
    static bool openDeviceWith(const std::string& driver, std::string& error);
    static bool openDevice(std::string& error);
};

} // namespace qv
