#pragma once

#include <string_view>

namespace qv {

// The text without the spaces and tabs around it, nor the '\r' a file with Windows line ends
// leaves at the end of each line.
inline std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r";
    const size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

} // namespace qv
