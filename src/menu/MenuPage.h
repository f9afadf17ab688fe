#pragma once

#include "menu/MenuCommand.h"
#include "menu/MenuItem.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

// A titled list of lines with one of them chosen: Up and Down move the choice (round from the
// last line to the first), Left and Right change the chosen line's value, Enter activates it.
class MenuPage {
  public:
    // note: a line about the whole page, shown under it (empty for none).
    MenuPage(std::string title, std::vector<MenuItem> items, size_t selected = 0, std::string note = {});

    // Acts on one command; true when the player asked to go back (Escape, pad B).
    bool handle(MenuCommand command);

    const std::string& title() const { return title_; }
    const std::vector<MenuItem>& items() const { return items_; }
    size_t selected() const { return selected_; }
    const std::string& note() const { return note_; }

  private:
    void move(int step);

    std::string title_;
    std::vector<MenuItem> items_;
    size_t selected_;
    std::string note_;
};

} // namespace qv
