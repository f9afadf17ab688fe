#pragma once

#include "platform/PadState.h"

namespace qv {

// The live state of the player's game pad. The real source reads SDL's game controllers (and
// plain joysticks), the scripted one replays the pad lines of a key script; both hand the same
// PadState to the same bindings.
class PadSource {
  public:
    virtual ~PadSource() = default;
    virtual PadState padState() const = 0;
};

} // namespace qv
