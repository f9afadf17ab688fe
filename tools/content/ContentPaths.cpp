#include "ContentPaths.h"

#include "assets/DataFiles.h"
#include "core/FatalError.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qv::content {

namespace {

// Besides its Data files, the game may leave these behind; never write over them either.
constexpr std::array<std::string_view, 7> kGameWritten{
    data::kScoreTable, data::kReplayRecording, data::kReplayGoals, data::kDemoRecording,
    data::kDemoGoals,  "hiscore.txt",          "error.log"};
constexpr std::array<std::string_view, 2> kInstallable{data::kDemoRecording, data::kDemoGoals};

// File name without folders, lower case: the game finds its files whatever their case.
std::string baseName(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

template <size_t N> bool listed(const std::array<std::string_view, N>& names, const std::string& path) {
    const std::string name = baseName(path);
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view entry) { return baseName(entry) == name; });
}

} // namespace

std::string dataFile(std::string_view gameName) {
    const std::string_view relative = data::underData(gameName);
    if (relative.size() == gameName.size())
        throw FatalError("not a file of the Data folder: " + std::string(gameName));
    return std::string(relative);
}

bool isGameWritten(const std::string& relativePath) {
    return listed(kGameWritten, relativePath);
}

bool isInstallableDefault(const std::string& relativePath) {
    return listed(kInstallable, relativePath);
}

} // namespace qv::content
