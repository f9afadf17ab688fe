#pragma once

#include "platform/SoundLevels.h"

#include <memory>
#include <string>

namespace qv {

// One wave file ready to play. Play starts another instance over any still sounding; stop
// silences every instance. A clip whose file could not be loaded does nothing.
class SoundClip {
  public:
    virtual ~SoundClip() = default;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool loaded() const = 0;
};

// Silences a clip and lets it go, so nothing of it sounds past its owner; null is allowed.
inline void stopAndRelease(std::unique_ptr<SoundClip>& clip) {
    if (clip)
        clip->stop();
    clip.reset();
}

// The mixer every sound component builds its clips from. It plays each clip at its group's
// volume; a change of the volumes or the mute is heard at once, also in sounds already playing.
class SoundSystem {
  public:
    virtual ~SoundSystem() = default;
    // An effect. Loads a wave file (path as the game names it, resolved case-insensitively). A
    // missing or unreadable file gives a silent clip, never an error.
    std::unique_ptr<SoundClip> createClip(const std::string& path, bool looping) {
        return makeClip(path, looping, SoundGroup::Effects);
    }
    // The background music: a looping clip at the music volume.
    std::unique_ptr<SoundClip> createMusic(const std::string& path) {
        return makeClip(path, true, SoundGroup::Music);
    }

    // percent is clamped to 0..100.
    void setVolume(SoundGroup group, int32_t percent);
    void setMuted(bool muted);
    void toggleMute() { setMuted(!levels_.muted()); }
    const SoundLevels& levels() const { return levels_; }
    // Holds every sound playing now where it is, and lets the held ones go on; a sound started
    // in between is not held.
    virtual void pauseAll() = 0;
    virtual void resumeAll() = 0;

  protected:
    virtual std::unique_ptr<SoundClip> makeClip(const std::string& path, bool looping, SoundGroup group) = 0;
    // The levels changed: bring everything the system plays, and will play, to them.
    virtual void applyLevels() = 0;

  private:
    SoundLevels levels_;
};

} // namespace qv
