#include "platform/GameAction.h"

#include "platform/KeyCodes.h"

#include <algorithm>

namespace qv {

namespace {

constexpr std::array<std::string_view, kGameActionCount> kNames = {
    "PEDAL",   "BRAKE",   "BACKPEDAL", "JUMP",    "BOOST",   "LEFT",    "RIGHT", "PAUSE", "CAMERA0",
    "CAMERA1", "CAMERA2", "CAMERA3",   "CAMERA4", "CAMERA5", "CAMERA6", "ENTER", "QUIT",
};

constexpr std::array<GameAction, kGameActionCount> kAll = [] {
    std::array<GameAction, kGameActionCount> all{};
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<GameAction>(i);
    return all;
}();

} // namespace

const std::array<GameAction, kGameActionCount>& allGameActions() {
    return kAll;
}

std::string_view gameActionName(GameAction action) {
    return kNames[static_cast<size_t>(action)];
}

std::optional<GameAction> gameActionFromName(std::string_view name) {
    auto it = std::ranges::find_if(kNames, [name](std::string_view n) { return sameKeyName(n, name); });
    if (it == kNames.end())
        return std::nullopt;
    return static_cast<GameAction>(it - kNames.begin());
}

} // namespace qv
