#pragma once

#include "platform/SoundSystem.h"

#include <string>

struct Mix_Chunk;

namespace qv {

// One wave file decoded into the mixer's format. Every play takes a free mixer channel of its
// group (see MixerSoundSystem), so instances overlap; a looping clip repeats without a gap until
// stopped. Needs the audio device of a live MixerSoundSystem: create it through that system and
// destroy it before the system.
class MixerSoundClip : public SoundClip {
  public:
    // A missing or unreadable file leaves the clip silent.
    MixerSoundClip(const std::string& path, bool looping, SoundGroup group);
    // Halts this clip's channels first: the mixer must never read a freed chunk.
    ~MixerSoundClip() override;
    MixerSoundClip(const MixerSoundClip&) = delete;
    MixerSoundClip& operator=(const MixerSoundClip&) = delete;

    void play() override;
    // Halts every channel currently playing this clip.
    void stop() override;
    bool loaded() const override { return chunk_ != nullptr; }

    // Instances of this clip sounding right now.
    int playingCount() const;

  private:
    template <typename Action> void forEachPlayingChannel(Action action) const;

    Mix_Chunk* chunk_;
    bool looping_;
    SoundGroup group_;
};

} // namespace qv
