#include "app/Settings.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <optional>

namespace qv {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::optional<int32_t> parseInt(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace

int32_t Settings::readInt(std::string_view section, std::string_view key, int32_t defaultValue) const {
    std::ifstream in(path_);
    if (!in)
        return defaultValue;
    bool inSection = false;
    std::string line;
    while (std::getline(in, line)) {
        std::string_view text = trim(line);
        if (text.empty() || text.front() == ';' || text.front() == '#')
            continue;
        if (text.front() == '[') {
            size_t close = text.find(']');
            inSection =
                close != std::string_view::npos && equalsIgnoreCase(trim(text.substr(1, close - 1)), section);
            continue;
        }
        size_t eq = text.find('=');
        if (!inSection || eq == std::string_view::npos || !equalsIgnoreCase(trim(text.substr(0, eq)), key))
            continue;
        return parseInt(text.substr(eq + 1)).value_or(defaultValue);
    }
    return defaultValue;
}

} // namespace qv
