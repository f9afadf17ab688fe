#pragma once

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

// The mixer every sound component builds its clips from.
class SoundSystem {
  public:
    virtual ~SoundSystem() = default;
    // Loads a wave file (path as the game names it, resolved case-insensitively). A missing or
    // unreadable file gives a silent clip, never an error.
    virtual std::unique_ptr<SoundClip> createClip(const std::string& path, bool looping) = 0;
    // Holds every sound playing now where it is, and lets the held ones go on; a sound started
    // in between is not held.
    virtual void pauseAll() = 0;
    virtual void resumeAll() = 0;
};

} // namespace qv
