#pragma once

#include "platform/KeySource.h"

#include <cstdint>

namespace qv {

class DisplayExtras;
class SoundSystem;

// The keys that do the same everywhere and are no part of the game: M mutes and unmutes the
// sound, F9 shows or hides the FPS display, F12 or Print Screen saves a screenshot. They are read
// live from the key source once a main-loop pass (not from the game's key table, so nothing the
// game does depends on them) and act when pressed, not again while held.
class HotKeys {
  public:
    HotKeys(const KeySource& keys, SoundSystem& sound, DisplayExtras& display);

    void poll();

  private:
    // Down now and up at the last poll.
    bool pressed(uint8_t code);

    const KeySource& keys_;
    SoundSystem& sound_;
    DisplayExtras& display_;
    KeySource::KeyTable wasDown_{};
};

} // namespace qv
