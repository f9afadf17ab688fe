#pragma once

#include "platform/NullSoundClip.h"
#include "platform/SoundSystem.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

// The headless mixer: no audio at all, only an ordered log of every play and stop, for tests
// and headless runs; the volumes and the mute it is given are kept in levels(). Its clips must
// be destroyed before it.
class NullSoundSystem : public SoundSystem {
  public:
    NullSoundSystem() = default;
    NullSoundSystem(const NullSoundSystem&) = delete;
    NullSoundSystem& operator=(const NullSoundSystem&) = delete;

    void pauseAll() override { paused_ = true; }
    void resumeAll() override { paused_ = false; }
    // Between a pauseAll and the next resumeAll.
    bool paused() const { return paused_; }

    const std::vector<SoundEvent>& events() const { return events_; }
    // Plays (or stops) logged for a path, spelled as the clip was created.
    size_t playCount(const std::string& path) const { return countOf(path, true); }
    size_t stopCount(const std::string& path) const { return countOf(path, false); }
    void clearEvents() { events_.clear(); }

  protected:
    // Looping makes no difference without audio; the log shows plays and stops only.
    std::unique_ptr<SoundClip> makeClip(const std::string& path, bool looping, SoundGroup group) override;
    // Nothing sounds, so there is nothing to bring to the new levels.
    void applyLevels() override {}

  private:
    size_t countOf(const std::string& path, bool play) const;

    std::vector<SoundEvent> events_;
    bool paused_ = false;
};

} // namespace qv
