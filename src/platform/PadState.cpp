#include "platform/PadState.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

bool isTrigger(size_t axis) {
    return axis == static_cast<size_t>(PadAxis::LeftTrigger) ||
           axis == static_cast<size_t>(PadAxis::RightTrigger);
}

} // namespace

float PadState::value(PadInput input) const {
    if (!connected)
        return 0.0f;
    if (input.kind == PadInput::Kind::Button)
        return input.index < buttons.size() && buttons[input.index] ? 1.0f : 0.0f;
    if (input.index >= axes.size() || !std::isfinite(axes[input.index]))
        return 0.0f;
    const float raw = std::clamp(axes[input.index], -1.0f, 1.0f);
    const float travel = input.kind == PadInput::Kind::AxisNegative ? -raw : raw;
    const float deadZone = isTrigger(input.index) ? kTriggerDeadZone : kStickDeadZone;
    if (travel <= deadZone)
        return 0.0f;
    return std::min((travel - deadZone) / (1.0f - deadZone), 1.0f);
}

} // namespace qv
