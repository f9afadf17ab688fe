#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// What the player can do, whatever key or pad button does it. The settings file binds each
// action by its name (see Bindings), and the game reads actions, never keys.
enum class GameAction : uint8_t {
    Pedal,
    Brake,
    BackPedal,
    Jump,
    Boost,
    Left,
    Right,
    Pause,
    Camera0,
    Camera1,
    Camera2,
    Camera3,
    Camera4,
    Camera5,
    Camera6,
    Enter, // skip the logo, start a run, end a run
    Quit,
};

inline constexpr size_t kGameActionCount = static_cast<size_t>(GameAction::Quit) + 1;

// Every action in declaration order, for loops over all of them.
const std::array<GameAction, kGameActionCount>& allGameActions();
// The name the settings file uses ("PEDAL", "BACKPEDAL", "CAMERA3"); case does not matter.
std::string_view gameActionName(GameAction action);
std::optional<GameAction> gameActionFromName(std::string_view name);

} // namespace qv
