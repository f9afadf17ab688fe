#include "platform/WindowState.h"

#include "core/FilePaths.h"

#include <charconv>

namespace qv {

namespace {

constexpr std::string_view kSpace = " \t\r";

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::optional<int32_t> wholeNumber(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [last, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || last != end)
        return std::nullopt;
    return value;
}

// The three keys as they are read; each is set by its first line.
struct Found {
    std::optional<int32_t> width, height, fullscreen;

    void take(std::string_view key, std::optional<int32_t> value) {
        std::optional<int32_t>* slot = key == "WIDTH"        ? &width
                                       : key == "HEIGHT"     ? &height
                                       : key == "FULLSCREEN" ? &fullscreen
                                                             : nullptr;
        if (slot != nullptr && !*slot)
            *slot = value;
    }
};

} // namespace

bool WindowState::plausible() const {
    return width >= kMinWidth && height >= kMinHeight && width <= kMaxSide && height <= kMaxSide;
}

std::string formatWindowState(const WindowState& state) {
    return "# The game's window when it was last closed; the game writes this file.\n"
           "WIDTH=" +
           std::to_string(state.width) + "\nHEIGHT=" + std::to_string(state.height) +
           "\nFULLSCREEN=" + (state.fullscreen ? "1" : "0") + "\n";
}

std::optional<WindowState> parseWindowState(std::string_view text) {
    Found found;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos)
            continue;
        found.take(trimmed(line.substr(0, equals)), wholeNumber(trimmed(line.substr(equals + 1))));
    }
    if (!found.width || !found.height || !found.fullscreen ||
        (*found.fullscreen != 0 && *found.fullscreen != 1))
        return std::nullopt;
    const WindowState state{*found.width, *found.height, *found.fullscreen == 1};
    if (!state.plausible())
        return std::nullopt;
    return state;
}

std::optional<WindowState> readWindowState(const std::string& path) {
    std::string text;
    if (!readFile(path, text))
        return std::nullopt;
    return parseWindowState(text);
}

bool writeWindowState(const std::string& path, const WindowState& state) {
    const std::string text = formatWindowState(state);
    return writeFileAtomically(path, text.data(), text.size());
}

} // namespace qv
