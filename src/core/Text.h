#pragma once

#include <cctype>
#include <cstdint>
#include <string>
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

// The text without any white space (as std::isspace has it) around it: the settings file's rule.
inline std::string_view trimmedSpace(std::string_view text) {
    auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

// The same letters, without regard to case (ASCII).
inline bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The length of the valid UTF-8 character at the front of text (a multi-byte one: its lead byte
// and continuation bytes, not overlong, not a surrogate, at most U+10FFFF); 0 when there is none.
inline size_t utf8CharacterLength(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    const size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 0;
    if (length == 0 || length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    const uint8_t second = byte(1);
    const bool overlongOrOut = (lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
                               (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90);
    return overlongOrOut ? 0 : length;
}

// The text as it may go into a log line: printable ASCII and valid UTF-8 as they are, every
// other byte (control characters, broken sequences, raw binary) as \xNN.
inline std::string printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<uint8_t>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            ++i;
        } else if (const size_t length = c >= 0x80 ? utf8CharacterLength(text.substr(i)) : 0; length > 0) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            ++i;
        }
    }
    return out;
}

} // namespace qv
