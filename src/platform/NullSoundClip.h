#pragma once

#include "platform/SoundSystem.h"

#include <string>
#include <vector>

namespace qv {

// What a headless clip did: played (play true) or stopped, with the path the game named and the
// group whose volume it plays at.
struct SoundEvent {
    std::string path;
    bool play;
    SoundGroup group;
};

// A clip that makes no sound and writes what it is asked to do into its system's log. Like the
// real clip it is silent, and logs nothing, when its file does not exist.
class NullSoundClip : public SoundClip {
  public:
    // log belongs to the NullSoundSystem and must outlive the clip.
    NullSoundClip(const std::string& path, SoundGroup group, std::vector<SoundEvent>& log);

    void play() override { record(true); }
    void stop() override { record(false); }
    bool loaded() const override { return loaded_; }

  private:
    void record(bool play);

    std::string path_;
    SoundGroup group_;
    std::vector<SoundEvent>& log_;
    bool loaded_;
};

} // namespace qv
