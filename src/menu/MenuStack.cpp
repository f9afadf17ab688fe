#include "menu/MenuStack.h"

#include <algorithm>
#include <cstddef>

namespace qv {

void MenuStack::push(MenuPage page) {
    pendingPushes_.push_back(std::move(page));
}

void MenuStack::open(MenuPage page) {
    pages_.clear();
    pendingPushes_.clear();
    pendingPops_ = 0;
    clearing_ = false;
    status_.clear();
    pages_.push_back(std::move(page));
    touch();
}

void MenuStack::handle(MenuCommand command) {
    if (pages_.empty() || command == MenuCommand::None)
        return;
    status_.clear();
    if (pages_.back().handle(command))
        pop();
    applyPending();
    touch();
}

void MenuStack::setStatus(std::string status) {
    status_ = std::move(status);
    touch();
}

void MenuStack::applyPending() {
    const size_t pops = clearing_ ? pages_.size() : std::min(pendingPops_, pages_.size());
    pages_.erase(pages_.end() - static_cast<std::ptrdiff_t>(pops), pages_.end());
    if (!clearing_) {
        for (MenuPage& page : pendingPushes_)
            pages_.push_back(std::move(page));
    }
    pendingPushes_.clear();
    pendingPops_ = 0;
    clearing_ = false;
}

} // namespace qv
