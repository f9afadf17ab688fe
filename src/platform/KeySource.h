#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qv {

// The live state of the keyboard, indexed by key code (see KeyCodes.h). The real source reads
// SDL's keyboard state; the scripted one replays a key script tick by tick.
class KeySource {
  public:
    using KeyTable = std::array<bool, 256>;

    virtual ~KeySource() = default;
    virtual bool isDown(uint8_t code) const = 0;
    // Every key at once, for the once-a-tick snapshot; a source that keeps a table hands it over
    // whole instead of answering 256 calls.
    virtual void readAll(KeyTable& down) const {
        for (size_t code = 0; code < down.size(); ++code)
            down[code] = isDown(static_cast<uint8_t>(code));
    }
};

} // namespace qv
