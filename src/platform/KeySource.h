#pragma once

#include <cstdint>

namespace qv {

// The live state of the keyboard, indexed by key code (see KeyCodes.h). The real source reads
// SDL's keyboard state; the scripted one replays a key script tick by tick.
class KeySource {
  public:
    virtual ~KeySource() = default;
    virtual bool isDown(uint8_t code) const = 0;
};

} // namespace qv
