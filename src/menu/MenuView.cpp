#include "menu/MenuView.h"

#include <algorithm>
#include <array>

namespace qv {

namespace {

constexpr size_t kMaxColumns =
    static_cast<size_t>((MenuView::kWidth - 2.0f * OverlayText::kPadding) / OverlayText::kCharWidth);

std::string lineOf(const MenuItem& item, size_t labelWidth, bool chosen) {
    std::string line = item.label;
    if (!item.value)
        return line;
    line.resize(std::max(labelWidth, line.size()), ' ');
    const bool changeable = static_cast<bool>(item.change);
    if (chosen && changeable)
        return line + "< " + item.value() + " >";
    return line + (changeable ? "  " : "") + item.value();
}

float centredLeft(float width) {
    return 320.0f - 0.5f * width;
}

} // namespace

std::vector<std::u32string> MenuView::wrapped(const std::u32string& text, size_t columns) {
    std::vector<std::u32string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = std::min(text.size(), start + columns);
        if (end < text.size()) {
            const size_t space = text.rfind(U' ', end);
            if (space != std::u32string::npos && space > start)
                end = space;
        }
        lines.push_back(text.substr(start, end - start));
        start = end;
        while (start < text.size() && text[start] == U' ')
            ++start;
    }
    return lines;
}

size_t MenuView::firstShown(const MenuPage& page) {
    const size_t count = page.items().size();
    if (count <= kVisibleLines)
        return 0;
    const size_t half = kVisibleLines / 2;
    const size_t first = page.selected() > half ? page.selected() - half : 0;
    return std::min(first, count - kVisibleLines);
}

MenuView::Body MenuView::body(const MenuPage& page) {
    size_t labelWidth = 0;
    for (const MenuItem& item : page.items())
        labelWidth = std::max(labelWidth, item.label.size() + 3);
    Body body;
    const size_t first = firstShown(page);
    const size_t end = std::min(page.items().size(), first + kVisibleLines);
    if (first > 0)
        body.lines.push_back(U"  ^ " + OverlayText::decode(std::to_string(first) + " more"));
    body.highlighted = page.selected() - first + body.lines.size();
    for (size_t i = first; i < end; ++i) {
        const std::string line = lineOf(page.items()[i], labelWidth, i == page.selected());
        body.lines.push_back(OverlayText::lastCharacters(OverlayText::decode(line), kMaxColumns));
    }
    if (end < page.items().size())
        body.lines.push_back(U"  v " +
                             OverlayText::decode(std::to_string(page.items().size() - end) + " more"));
    return body;
}

void MenuView::draw(OverlayText& text, const MenuPage& page, const std::string& status,
                    const std::string& footer) {
    text.shade(kShade);
    const std::array title{OverlayText::decode(page.title())};
    const OverlayText::Style titleStyle{.scale = kTitleScale, .minWidth = kWidth, .panel = kPanel};
    text.draw(title, {centredLeft(kWidth), kTop}, titleStyle);

    float y = kTop + OverlayText::panelSize(title, titleStyle).y + kGap;
    const Body lines = body(page);
    const OverlayText::Style bodyStyle{.minWidth = kWidth, .highlighted = lines.highlighted, .panel = kPanel};
    text.draw(lines.lines, {centredLeft(kWidth), y}, bodyStyle);
    y += OverlayText::panelSize(lines.lines, bodyStyle).y + kGap;

    std::vector<std::u32string> notes;
    for (const std::string& note : {status, page.note(), footer}) {
        for (std::u32string& line : wrapped(OverlayText::decode(note), kMaxColumns))
            notes.push_back(std::move(line));
    }
    if (!notes.empty())
        text.draw(notes, {centredLeft(kWidth), y}, {.minWidth = kWidth, .panel = kPanel});
}

} // namespace qv
