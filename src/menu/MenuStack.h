#pragma once

#include "menu/MenuPage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The open menu pages, the top one shown and driven, and the status line under them. Pages are
// opened and closed by their own lines' actions, so those changes wait until the command that
// asked for them is done (a page is never destroyed while it acts); Back closes the top page.
// Every change a player could see moves the revision on, so a paused game redraws only then.
class MenuStack {
  public:
    bool empty() const { return pages_.empty(); }
    const MenuPage& top() const { return pages_.back(); }
    size_t depth() const { return pages_.size(); }

    // Applied once the current command is done, closes first.
    void push(MenuPage page);
    void pop() { ++pendingPops_; }
    void clear() { clearing_ = true; }
    // At once: opens the first page of a menu, replacing whatever was open.
    void open(MenuPage page);

    void handle(MenuCommand command);

    // What the last command did or could not do; cleared by the next command.
    const std::string& status() const { return status_; }
    void setStatus(std::string status);
    uint32_t revision() const { return revision_; }
    void touch() { ++revision_; }

  private:
    void applyPending();

    std::vector<MenuPage> pages_;
    std::vector<MenuPage> pendingPushes_;
    size_t pendingPops_ = 0;
    bool clearing_ = false;
    std::string status_;
    uint32_t revision_ = 0;
};

} // namespace qv
