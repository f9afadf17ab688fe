#pragma once

#include <functional>
#include <string>

namespace qv {

// One line of a menu page: a label, and what the line does. A line with a value shows it after
// the label (asked afresh at every drawing); change moves the value one step (-1 or +1, from
// Left and Right, and +1 from Enter when the line has nothing to activate); activate is Enter's
// action. A line with neither is only shown.
struct MenuItem {
    std::string label;
    std::function<std::string()> value = {};
    std::function<void(int step)> change = {};
    std::function<void()> activate = {};
};

} // namespace qv
