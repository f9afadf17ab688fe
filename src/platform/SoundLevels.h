#pragma once

#include <cstdint>

namespace qv {

// The two volumes a player sets: the background music, and every other sound.
enum class SoundGroup : uint8_t { Effects, Music };

// How loud each group plays: a volume from 0 to 100 per group (values outside are clamped), and
// a mute that silences both without forgetting them.
class SoundLevels {
  public:
    static constexpr int32_t kFullVolume = 100;

    void setVolume(SoundGroup group, int32_t percent);
    int32_t volume(SoundGroup group) const { return group == SoundGroup::Music ? music_ : effects_; }
    void setMuted(bool muted) { muted_ = muted; }
    bool muted() const { return muted_; }
    // The share of full loudness the group is heard at (0 while muted).
    float gain(SoundGroup group) const;

  private:
    int32_t music_ = kFullVolume;
    int32_t effects_ = kFullVolume;
    bool muted_ = false;
};

} // namespace qv
