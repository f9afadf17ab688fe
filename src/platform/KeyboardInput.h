#pragma once

#include "platform/ActionOverlay.h"
#include "platform/Bindings.h"
#include "platform/KeySource.h"
#include "platform/PadSource.h"

#include <array>

namespace qv {

// The game's controls: the keyboard and the pad seen through the bindings as game actions. A
// snapshot refreshed once per scene update by poll(), plus live readings for the "immediate"
// actions (quit, enter, the arrows on the demo, pause).
class KeyboardInput {
  public:
    // The overlay (the autopilot), when given, adds its actions to the player's.
    KeyboardInput(const KeySource& keys, const PadSource& pad, Bindings bindings = Bindings::defaults(),
                  const ActionOverlay* overlay = nullptr)
        : keys_(keys), pad_(pad), bindings_(std::move(bindings)), overlay_(overlay) {}

    // Refreshes the snapshot from the live sources. Never fails: a window without focus reads
    // every key and button as up.
    void poll();
    bool held(GameAction action) const { return value(action) > 0.0f; }
    // How far the action is pushed in the snapshot, 0 .. 1: keys and buttons 1, a stick or
    // trigger by its travel past the dead zone; the largest of the action's bindings.
    float value(GameAction action) const { return values_[static_cast<size_t>(action)]; }
    // The steering the snapshot asks for, 1 (full left) .. -1 (full right): the arrow keys give
    // the ends, a stick anything between.
    float steering() const { return value(GameAction::Left) - value(GameAction::Right); }
    // Live reading that bypasses the snapshot, for the immediate actions.
    bool asyncHeld(GameAction action) const;
    // Live: any button of a plugged-in pad is held (a player back at the pad, whatever it does).
    bool asyncAnyPadButton() const;
    const Bindings& bindings() const { return bindings_; }
    // New bindings from the next poll on (the options screen's).
    void setBindings(Bindings bindings) { bindings_ = std::move(bindings); }
    // Releases the devices at shutdown: the snapshot reads every action up from then on.
    void unacquire() { values_.fill(0.0f); }

  private:
    float valueOf(GameAction action, const KeySource::KeyTable& keys, const PadState& pad) const;

    const KeySource& keys_;
    const PadSource& pad_;
    Bindings bindings_;
    const ActionOverlay* overlay_;
    std::array<float, kGameActionCount> values_{};
};

} // namespace qv
