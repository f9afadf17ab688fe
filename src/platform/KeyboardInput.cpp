#include "platform/KeyboardInput.h"

namespace qv {

void KeyboardInput::poll() {
    for (int code = 0; code < 256; ++code)
        state_[code] = source_.isDown(static_cast<uint8_t>(code)) ? kHeld : 0;
}

} // namespace qv
