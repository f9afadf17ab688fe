#include "assets/ScreenshotFolder.h"

#include "assets/PngWriter.h"
#include "core/FilePaths.h"
#include "core/LocalTime.h"

#include <filesystem>
#include <system_error>

namespace qv {

namespace fs = std::filesystem;

namespace {
constexpr const char* kExtension = ".png";
// Past this many pictures in one second something is wrong with the folder, not the player.
constexpr int kMostInOneSecond = 1000;
} // namespace

ScreenshotFolder::ScreenshotFolder(std::string folder, Calendar calendar)
    : folder_(std::move(folder)), calendar_(std::move(calendar)) {}

std::string ScreenshotFolder::baseName(std::time_t when) {
    return localTimeText(when, "qorvex-%Y-%m-%d_%H-%M-%S");
}

std::optional<std::string> ScreenshotFolder::save(const Image& picture, std::string& error) const {
    std::error_code ec;
    if (!createFolderOwnerOnly(folder_, ec)) {
        error = "cannot make the folder " + folder_ + ": " + ec.message();
        return std::nullopt;
    }
    const std::string path = freePath(baseName(calendar_()));
    if (path.empty()) {
        error = "no free name in " + folder_;
        return std::nullopt;
    }
    if (!writePng(path, picture)) {
        error = "cannot write " + path;
        return std::nullopt;
    }
    return path;
}

std::string ScreenshotFolder::freePath(const std::string& base) const {
    return unusedPath((fs::path(folder_) / base).string(), kExtension, kMostInOneSecond);
}

} // namespace qv
