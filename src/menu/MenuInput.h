#pragma once

#include "menu/MenuCommand.h"
#include "platform/Bindings.h"
#include "platform/KeySource.h"
#include "platform/PadSource.h"

#include <cstdint>
#include <optional>

namespace qv {

// The menus' own controls, fixed whatever the game's bindings say, so a player who rebinds
// everything can still find the way back: the arrow keys or the d-pad (or the left stick) move
// and change, Enter, Space, pad A or Start confirm, Escape, Backspace or pad B go back. Read
// live once a tick; a direction held down repeats after a moment, as a text field's keys do.
class MenuInput {
  public:
    static constexpr uint32_t kRepeatDelay = 24; // ticks a direction is held before it repeats
    static constexpr uint32_t kRepeatEvery = 4;  // ticks between repeats
    static constexpr float kStickPush = 0.5f;    // stick travel that counts as a direction

    MenuInput(const KeySource& keys, const PadSource& pad);

    // Reads both sources; the command of this tick (a fresh press, or a held direction's repeat).
    MenuCommand poll();
    // A key or pad input first pressed at the last poll (a stick or trigger pushed past half
    // way), for a new binding; the lowest key code wins, then the pad.
    std::optional<Bindings::Binding> newPress() const;
    // A key or pad button first pressed at the last poll.
    bool pressed(uint8_t keyCode) const { return keys_[keyCode] && !wasKeys_[keyCode]; }
    bool pressed(PadButton button) const { return pad_.held(button) && !wasPad_.held(button); }
    InputDevice lastUsed() const { return lastUsed_; }

  private:
    MenuCommand freshCommand() const;
    MenuCommand heldDirection() const;
    bool anyFreshKey() const;
    bool anyFreshPad() const;

    const KeySource& keySource_;
    const PadSource& padSource_;
    KeySource::KeyTable keys_{}, wasKeys_{};
    PadState pad_, wasPad_;
    MenuCommand held_ = MenuCommand::None;
    uint32_t heldTicks_ = 0;
    InputDevice lastUsed_ = InputDevice::Keyboard;
};

} // namespace qv
