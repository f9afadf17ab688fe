#include "app/SettingsEditor.h"

#include "core/Text.h"

#include <cctype>
#include <optional>
#include <vector>

namespace qv {

namespace {

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// One line of the file as Settings reads it: where it starts and ends in the text (without its
// '\n'), the section it stands in, and for a KEY=VALUE line its key.
struct Line {
    size_t begin;
    size_t end;
    std::optional<std::string> section; // of the line; for a header, the section it opens
    bool header = false;
    std::optional<std::string> key;
};

std::vector<Line> readLines(const std::string& text) {
    std::vector<Line> lines;
    std::optional<std::string> section;
    for (size_t begin = 0; begin < text.size();) {
        const size_t newline = text.find('\n', begin);
        const size_t end = newline == std::string::npos ? text.size() : newline;
        Line line{begin, end, section, false, std::nullopt};
        const std::string_view content = trimmedSpace(std::string_view(text).substr(begin, end - begin));
        if (!content.empty() && content.front() == '[') {
            const size_t close = content.find(']');
            section = close == std::string_view::npos
                          ? std::nullopt
                          : std::optional<std::string>(trimmedSpace(content.substr(1, close - 1)));
            line.section = section;
            line.header = true;
        } else if (!content.empty() && content.front() != ';' && content.front() != '#') {
            const size_t eq = content.find('=');
            if (eq != std::string_view::npos)
                line.key = std::string(trimmedSpace(content.substr(0, eq)));
        }
        lines.push_back(std::move(line));
        begin = end + 1;
    }
    return lines;
}

bool inSection(const Line& line, std::string_view section) {
    return line.section && equalsIgnoreCase(*line.section, section);
}

// The value of a KEY=VALUE line replaced, the spaces round it and the line's end kept.
void replaceValue(std::string& text, const Line& line, std::string_view value) {
    size_t start = text.find('=', line.begin) + 1;
    size_t stop = line.end;
    while (stop > start && isSpace(text[stop - 1]))
        --stop;
    while (start < stop && isSpace(text[start]))
        ++start;
    text.replace(start, stop - start, value);
}

} // namespace

std::string_view SettingsEditor::lineEnd() const {
    const size_t newline = text_.find('\n');
    return newline != std::string::npos && newline > 0 && text_[newline - 1] == '\r' ? "\r\n" : "\n";
}

void SettingsEditor::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::vector<Line> lines = readLines(text_);
    const Line* last = nullptr; // the last non-blank line of the first section of that name
    bool inFirst = false;
    for (const Line& line : lines) {
        if (line.key && inSection(line, section) && equalsIgnoreCase(*line.key, key)) {
            replaceValue(text_, line, value);
            return;
        }
        const bool blank =
            trimmedSpace(std::string_view(text_).substr(line.begin, line.end - line.begin)).empty();
        if (line.header) {
            inFirst = !last && inSection(line, section);
            last = inFirst ? &line : last;
        } else if (inFirst && !blank) {
            last = &line;
        }
    }
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "x" + string in optimised builds.
    std::string entry(key);
    entry.append("=").append(value);
    if (last) {
        // After the line's own text, before its "\r" in a file with Windows line ends.
        size_t at = last->end;
        if (at > last->begin && text_[at - 1] == '\r')
            --at;
        std::string added(lineEnd());
        added.append(entry);
        text_.insert(at, added);
        return;
    }
    if (!text_.empty() && text_.back() != '\n')
        text_ += lineEnd();
    text_.append("[").append(section).append("]").append(lineEnd()).append(entry).append(lineEnd());
}

} // namespace qv
