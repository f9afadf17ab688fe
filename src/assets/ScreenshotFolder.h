#pragma once

#include "core/Image.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>

namespace qv {

// The player's screenshots folder. A picture is saved as a PNG under the local date and time
// ("qorvex-2026-12-08_17-30-05.png", then "-2", "-3" ... for more in the same second), never
// over another file; the folder is made at the first save, readable by its owner only.
class ScreenshotFolder {
  public:
    using Calendar = std::function<std::time_t()>;

    // calendar gives the time a picture is named after (the wall clock in the game).
    explicit ScreenshotFolder(
        std::string folder, Calendar calendar = [] { return std::time(nullptr); });

    // The path of the new file; empty, with the reason in error, when it could not be saved.
    std::optional<std::string> save(const Image& picture, std::string& error) const;

    // "qorvex-YYYY-MM-DD_HH-MM-SS" in local time, without the extension.
    static std::string baseName(std::time_t when);

  private:
    std::string freePath(const std::string& base) const;

    std::string folder_;
    Calendar calendar_;
};

} // namespace qv
