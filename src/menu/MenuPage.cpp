#include "menu/MenuPage.h"

namespace qv {

MenuPage::MenuPage(std::string title, std::vector<MenuItem> items, size_t selected, std::string note)
    : title_(std::move(title)), items_(std::move(items)),
      selected_(items_.empty() ? 0 : selected % items_.size()), note_(std::move(note)) {}

bool MenuPage::handle(MenuCommand command) {
    if (items_.empty())
        return command == MenuCommand::Back;
    // A copy: a line's action may rebuild what this page shows, this page included.
    const MenuItem item = items_[selected_];
    switch (command) {
    case MenuCommand::Up:
        move(-1);
        break;
    case MenuCommand::Down:
        move(1);
        break;
    case MenuCommand::Left:
    case MenuCommand::Right:
        if (item.change)
            item.change(command == MenuCommand::Left ? -1 : 1);
        break;
    case MenuCommand::Confirm:
        if (item.activate)
            item.activate();
        else if (item.change)
            item.change(1);
        break;
    case MenuCommand::Back:
        return true;
    case MenuCommand::None:
        break;
    }
    return false;
}

void MenuPage::move(int step) {
    const auto count = static_cast<int>(items_.size());
    selected_ = static_cast<size_t>((static_cast<int>(selected_) + step + count) % count);
}

} // namespace qv
