#pragma once

#include "platform/SoundSystem.h"

#include <string>

namespace qv {

// The real mixer: SDL2_mixer at 22050 Hz, 16-bit stereo, 64 channels. Without a usable sound
// device it warns once on stderr and opens SDL's silent "dummy" driver, so the game still runs.
// Only one may exist at a time, and every clip it made must be destroyed before it.
class MixerSoundSystem : public SoundSystem {
  public:
    static constexpr int kFrequency = 22050;
    static constexpr int kOutputChannels = 2;
    static constexpr int kMixChannels = 64;

    // Throws FatalError("ERROR : Initialize AudioPath") when not even the dummy driver opens.
    MixerSoundSystem();
    // Stops every sound and closes the audio device.
    ~MixerSoundSystem() override;
    MixerSoundSystem(const MixerSoundSystem&) = delete;
    MixerSoundSystem& operator=(const MixerSoundSystem&) = delete;

    std::unique_ptr<SoundClip> createClip(const std::string& path, bool looping) override;
    void pauseAll() override;
    void resumeAll() override;

    // The SDL audio driver in use ("dummy" after the fallback).
    std::string driverName() const;

  private:
    static bool openDevice(std::string& error);
};

} // namespace qv
