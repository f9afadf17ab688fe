#pragma once

#include <cstdint>

namespace qv {

// What the player asks of a menu in one tick, whatever key or pad button asked it.
enum class MenuCommand : uint8_t { None, Up, Down, Left, Right, Confirm, Back };

// Where the player's last menu press came from, so the screens name that device's buttons.
enum class InputDevice : uint8_t { Keyboard, Pad };

} // namespace qv
