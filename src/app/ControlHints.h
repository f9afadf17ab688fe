#pragma once

#include "menu/MenuCommand.h"
#include "platform/Bindings.h"

#include <string>

namespace qv {

// The one-line reminders of the controls: on the attract demo, how to start, change the mode,
// open the options and the records; in the first seconds of a player's first run, how to ride.
// Written with the player's own bindings, for the keyboard or the pad, whichever was used last.
class ControlHints {
  public:
    static std::string demo(const Bindings& bindings, InputDevice device);
    static std::string driving(const Bindings& bindings, InputDevice device);
    // The first key, or pad input, bound to the action as a player reads it ("Enter", "F",
    // "RShoulder"); empty when the action has none of that kind.
    static std::string firstOf(const Bindings& bindings, GameAction action, InputDevice device);
    // A binding's name for the screen: keys and pad inputs as the settings file names them, with
    // a few made friendlier ("RETURN" reads "Enter", "PAD_A" reads "A", "PAD_START" "Start").
    static std::string shownName(const Bindings::Binding& binding);
};

} // namespace qv
