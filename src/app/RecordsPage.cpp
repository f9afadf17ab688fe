#include "app/RecordsPage.h"

namespace qv {

std::string RecordsPage::entryName(size_t entry) {
    return entry == 0 ? "Endless" : "Stage " + std::to_string(entry);
}

MenuPage RecordsPage::make(const HighScoreTable& table, std::optional<size_t> newest, MenuItem back,
                           const std::array<bool, 5>& watchable, std::function<void(size_t)> watch) {
    std::vector<MenuItem> items;
    for (size_t entry = 0; entry < table.size(); ++entry) {
        std::string score = std::to_string(table[entry]);
        if (newest == entry)
            score += kNewMark;
        MenuItem item{entryName(entry), [score] { return score; }};
        if (entry < watchable.size() && watchable[entry]) {
            score += kReplayMark;
            item.activate = [watch, entry] { watch(entry); };
        }
        item.value = [score] { return score; };
        items.push_back(std::move(item));
    }
    items.push_back(std::move(back));
    const size_t selected = newest && *newest < table.size() ? *newest : table.size();
    return MenuPage(kTitle, std::move(items), selected,
                    "Stage 5 counts as stage 1, stage 6 as stage 2, and so on.");
}

} // namespace qv
