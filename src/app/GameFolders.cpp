#include "app/GameFolders.h"

#include "app/BuildInfo.h"
#include "assets/DataFiles.h"
#include "core/FilePaths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGameFolderName = "qorvex";
constexpr const char* kChooseUserFolder = "; choose another folder with --user-dir DIR";

fs::path absoluteFrom(const fs::path& base, const std::string& path) {
    const fs::path p(path);
    return (p.is_absolute() ? p : base / p).lexically_normal();
}

// A content file below its folder: "./Data/Field0.dat" -> "Data/Field0.dat".
fs::path inContent(const std::string& name) {
    return fs::path(name).lexically_normal();
}

// A folder holds the game when its Data folder (in any case) holds the first field.
bool holdsGame(const fs::path& folder) {
    std::error_code ec;
    return !folder.empty() &&
           fs::is_regular_file(resolvePath((folder / inContent(data::fieldFile(0))).string()), ec);
}

std::string envOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// An XDG base folder: the variable when it is an absolute path, else HOME's default.
std::optional<fs::path> baseFolder(const std::string& xdgValue, const std::string& home,
                                   const char* fallback) {
    if (!xdgValue.empty() && fs::path(xdgValue).is_absolute())
        return fs::path(xdgValue);
    if (home.empty() || !fs::path(home).is_absolute())
        return std::nullopt;
    return fs::path(home) / fallback;
}

std::string writeProblem(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return "it is not a folder";
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return std::strerror(errno);
    return "";
}

} // namespace

GameFolders::GameFolders(Mode mode, fs::path content, fs::path user, PlayerFiles files)
    : mode_(mode), content_(std::move(content)), user_(std::move(user)), files_(std::move(files)) {}

GameFolders::Request GameFolders::requestOf(const std::string& contentDir, const std::string& userDir) {
    std::error_code ec;
    Request request;
    request.workingDirectory = fs::current_path(ec);
    request.executable = fs::read_symlink("/proc/self/exe", ec);
    request.contentDir = contentDir;
    request.userDir = userDir;
    request.home = envOrEmpty("HOME");
    request.configHome = envOrEmpty("XDG_CONFIG_HOME");
    request.dataHome = envOrEmpty("XDG_DATA_HOME");
    request.installedContent = BuildInfo::contentFromBinary();
    return request;
}

std::optional<GameFolders> GameFolders::locate(const Request& request, std::string& error) {
    const fs::path& working = request.workingDirectory;
    const fs::path own = request.executable.parent_path();
    const fs::path installed = own.empty() ? fs::path() : (own / request.installedContent).lexically_normal();
    Mode mode = Mode::Chosen;
    fs::path content;
    if (!request.contentDir.empty()) {
        content = absoluteFrom(working, request.contentDir);
    } else if (holdsGame(working)) {
        mode = Mode::Portable;
        content = working;
    } else if (holdsGame(own)) {
        mode = Mode::Portable;
        content = own;
    } else if (holdsGame(installed)) {
        mode = Mode::Installed;
        content = installed;
    } else {
        error = "cannot find the game's content (Data/Field0.dat) in " + working.string() +
                (own.empty() ? "" : ", " + own.string() + " or " + installed.string()) +
                "; choose its folder with --content-dir DIR";
        return std::nullopt;
    }

    if (!request.userDir.empty()) {
        const fs::path user = absoluteFrom(working, request.userDir);
        return GameFolders(mode, content, user, PlayerFiles::separate(user, user));
    }
    if (mode == Mode::Portable)
        return GameFolders(mode, content, content, PlayerFiles());
    const auto config = baseFolder(request.configHome, request.home, ".config");
    const auto saves = baseFolder(request.dataHome, request.home, ".local/share");
    if (!config || !saves) {
        error = "no folder for the player's files: HOME is not an absolute path and neither is " +
                std::string(config ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME") +
                "; choose a folder with --user-dir DIR";
        return std::nullopt;
    }
    return GameFolders(mode, content, *saves / kGameFolderName,
                       PlayerFiles::separate(*config / kGameFolderName, *saves / kGameFolderName));
}

bool GameFolders::prepare(std::string& error) const {
    return checkContent(error) && prepareUserFolder(error);
}

// A portable game writes into its folder and its Data folder, which must exist already; other
// folders for the player's files are made on first use.
bool GameFolders::prepareUserFolder(std::string& error) const {
    std::error_code ec;
    std::vector<fs::path> folders{user_};
    if (mode_ == Mode::Portable && files_.portable())
        folders.push_back(resolvePath((user_ / inContent(data::kFolder)).string()));
    else if (!createFolderOwnerOnly(user_, ec)) {
        error = "cannot make the folder for the player's files " + user_.string() + ": " + ec.message() +
                kChooseUserFolder;
        return false;
    }
    for (const fs::path& folder : folders) {
        if (const std::string problem = writeProblem(folder); !problem.empty()) {
            error =
                "cannot write the player's files in " + folder.string() + ": " + problem + kChooseUserFolder;
            return false;
        }
    }
    return true;
}

// A portable game reports a missing file when it needs it, as it always has; a content folder
// found any other way is checked whole, so a broken install is named before the window opens.
bool GameFolders::checkContent(std::string& error) const {
    if (mode_ == Mode::Portable)
        return true;
    for (const std::string& name : data::contentFiles()) {
        std::error_code ec;
        if (!fs::is_regular_file(resolvePath((content_ / inContent(name)).string()), ec)) {
            error = "the content folder " + content_.string() + " has no " + inContent(name).string() +
                    "; reinstall the game or choose its content with --content-dir DIR";
            return false;
        }
    }
    return true;
}

std::string GameFolders::describe() const {
    static constexpr const char* kModes[] = {"portable", "installed", "chosen"};
    std::string text = "content:  " + content_.string() + " (" + kModes[static_cast<int>(mode_)] + ")\n";
    if (files_.portable())
        return text + "settings: " + (content_ / "Pedalon.ini").string() +
               "\nsaves:    " + content_.string() + " (scores and recordings in " +
               (content_ / "Data").string() + ")\n";
    return text + "settings: " + files_.settings() + "\nsaves:    " + user_.string() + "\n";
}

} // namespace qv
