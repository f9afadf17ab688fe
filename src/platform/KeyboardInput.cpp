#include "platform/KeyboardInput.h"

namespace qv {

void KeyboardInput::poll() {
    KeySource::KeyTable down;
    source_.readAll(down);
    for (size_t code = 0; code < down.size(); ++code)
        state_[code] = down[code] ? kHeld : 0;
}

} // namespace qv
