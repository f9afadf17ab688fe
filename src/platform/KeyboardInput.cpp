#include "platform/KeyboardInput.h"

#include <algorithm>

namespace qv {

void KeyboardInput::poll() {
    KeySource::KeyTable keys;
    keys_.readAll(keys);
    const PadState pad = pad_.padState();
    for (GameAction action : allGameActions())
        values_[static_cast<size_t>(action)] = valueOf(action, keys, pad);
}

bool KeyboardInput::asyncHeld(GameAction action) const {
    KeySource::KeyTable keys{};
    for (const Bindings::Binding& binding : bindings_.of(action))
        if (const auto* code = std::get_if<uint8_t>(&binding))
            keys[*code] = keys_.isDown(*code);
    return valueOf(action, keys, pad_.padState()) > 0.0f;
}

bool KeyboardInput::asyncAnyPadButton() const {
    const PadState pad = pad_.padState();
    return pad.connected && std::ranges::any_of(pad.buttons, [](bool held) { return held; });
}

float KeyboardInput::valueOf(GameAction action, const KeySource::KeyTable& keys, const PadState& pad) const {
    if (overlay_ && overlay_->holds(action))
        return 1.0f;
    float value = 0.0f;
    for (const Bindings::Binding& binding : bindings_.of(action)) {
        if (const auto* code = std::get_if<uint8_t>(&binding))
            value = std::max(value, keys[*code] ? 1.0f : 0.0f);
        else
            value = std::max(value, pad.value(std::get<PadInput>(binding)));
    }
    return value;
}

} // namespace qv
