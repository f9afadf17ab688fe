#pragma once

#include "platform/GameAction.h"

namespace qv {

// Game actions held by something other than the player's keys and pad: the autopilot. The game's
// input adds them to what the bindings give, so a bot rides whatever the player has rebound.
class ActionOverlay {
  public:
    virtual ~ActionOverlay() = default;
    virtual bool holds(GameAction action) const = 0;
};

} // namespace qv
