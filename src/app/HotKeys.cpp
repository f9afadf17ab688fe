#include "app/HotKeys.h"

#include "app/DisplayExtras.h"
#include "platform/KeyCodes.h"
#include "platform/SoundSystem.h"

namespace qv {

HotKeys::HotKeys(const KeySource& keys, SoundSystem& sound, DisplayExtras& display)
    : keys_(keys), sound_(sound), display_(display) {}

void HotKeys::poll() {
    if (pressed(key::kM))
        sound_.toggleMute();
    if (pressed(key::kF9))
        display_.toggleFps();
    // Both keys are read every pass, so one held down does not hide a press of the other.
    const bool f12 = pressed(key::kF12);
    const bool printScreen = pressed(key::kSysRq);
    if (f12 || printScreen)
        display_.requestScreenshot();
}

bool HotKeys::pressed(uint8_t code) {
    const bool down = keys_.isDown(code);
    const bool press = down && !wasDown_[code];
    wasDown_[code] = down;
    return press;
}

} // namespace qv
