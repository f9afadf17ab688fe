#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The window as the player left it: its size as a window (in screen units, not pixels) and
// whether it was full screen. The game keeps it in a small file of its own among the player's
// files, never in the settings, which it does not write.
struct WindowState {
    // A window smaller than this is not worth restoring (and the window cannot be made smaller).
    static constexpr int32_t kMinWidth = 160;
    static constexpr int32_t kMinHeight = 120;
    static constexpr int32_t kMaxSide = 16384;

    int32_t width = 640;
    int32_t height = 480;
    bool fullscreen = true;

    bool operator==(const WindowState&) const = default;
    // A size within the limits above.
    bool plausible() const;
};

// The file's text: "WIDTH=…", "HEIGHT=…" and "FULLSCREEN=0|1" lines under a comment.
std::string formatWindowState(const WindowState& state);
// Empty unless the text holds all three keys with whole numbers and a plausible size; lines it
// does not know are skipped, so a later version may add some.
std::optional<WindowState> parseWindowState(std::string_view text);

// Empty when the file is missing, unreadable or garbled: the caller falls back to the settings.
std::optional<WindowState> readWindowState(const std::string& path);
// Through a temporary file and a rename; false when it could not be written.
bool writeWindowState(const std::string& path, const WindowState& state);

} // namespace qv
