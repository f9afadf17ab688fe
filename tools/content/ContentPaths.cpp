#include "ContentPaths.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace qv::content {

namespace {

constexpr std::array<std::string_view, 7> kGameWritten{"score.dat", "replay.dat",  "rgoal.dat", "demo.dat",
                                                       "dgoal.dat", "hiscore.txt", "error.log"};
constexpr std::array<std::string_view, 2> kInstallable{"demo.dat", "dgoal.dat"};

// File name without folders, lower case: the game finds its files whatever their case.
std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

template <size_t N> bool listed(const std::array<std::string_view, N>& names, const std::string& path) {
    return std::find(names.begin(), names.end(), baseName(path)) != names.end();
}

} // namespace

std::string texturePath(const std::string& name) {
    return "tex/" + name;
}

std::string meshPath(const std::string& name) {
    return "x/" + name;
}

std::string wavePath(const std::string& name) {
    return "wave/" + name;
}

bool isGameWritten(const std::string& relativePath) {
    return listed(kGameWritten, relativePath);
}

bool isInstallableDefault(const std::string& relativePath) {
    return listed(kInstallable, relativePath);
}

} // namespace qv::content
