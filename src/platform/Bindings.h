#pragma once

#include "platform/GameAction.h"
#include "platform/KeyCodes.h"
#include "platform/PadCodes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qv {

// Which keys and pad inputs do each game action; any one of them held holds the action, and one
// key may serve several actions (it then does all of them). The defaults are the game's keys of
// old plus the pad layout a racing player expects.
class Bindings {
  public:
    // A key code (KeyCodes.h) or a pad input.
    using Binding = std::variant<uint8_t, PadInput>;
    using List = std::vector<Binding>;

    static Bindings defaults();

    const List& of(GameAction action) const { return table_[static_cast<size_t>(action)]; }
    void set(GameAction action, List bindings) { table_[static_cast<size_t>(action)] = std::move(bindings); }

    // "F, C, PAD_A": key and pad input names separated by commas (white space around them is
    // ignored). Empty when a name is neither a key nor a pad input, which is then in `unknown`;
    // an empty text or an empty name counts as unknown too.
    static std::optional<List> parse(std::string_view text, std::string& unknown);
    // The keys the game keeps for itself, whatever the bindings say (app/HotKeys reads them): M
    // mutes, F9 shows the frame times, F12 and Print Screen take a screenshot.
    static constexpr std::array<uint8_t, 4> kHotKeys{key::kM, key::kF9, key::kF12, key::kSysRq};
    // The first of the game's own keys in a list, if it has one.
    static std::optional<Binding> firstHotKey(const List& bindings);
    // The names of a list, as the settings file writes them ("F, C, PAD_A").
    static std::string describe(const List& bindings);
    static bool isKey(const Binding& binding) { return std::holds_alternative<uint8_t>(binding); }
    // The keys of a list, or its pad inputs, in order.
    static List keysOf(const List& bindings);
    static List padInputsOf(const List& bindings);

    // Makes binding the first of the action's bindings of its kind (keys or pad inputs), in
    // place of the one that was first; the action's other bindings stay. A binding is never
    // doubled: an action that had it gives it up and takes, in its place, the one the action
    // had first (a swap), unless it already has that one. The action the binding was taken
    // from, if any.
    std::optional<GameAction> assign(GameAction action, const Binding& binding);

  private:
    std::array<List, kGameActionCount> table_;
};

} // namespace qv
