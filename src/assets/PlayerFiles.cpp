#include "assets/PlayerFiles.h"

#include "assets/DataFiles.h"

#include <algorithm>

namespace qv {

namespace fs = std::filesystem;

namespace {
constexpr const char* kSettingsName = "Pedalon.ini";
constexpr const char* kScoreTextName = "HiScore.txt";
constexpr const char* kErrorLogName = "error.log";
constexpr const char* kWindowStateName = "window.ini";
constexpr const char* kScreenshotFolderName = "screenshots";
constexpr const char* kReplayFolderName = "replays";
constexpr const char* kPadMappingsName = "gamecontrollerdb.txt";
constexpr const char* kDemoSealName = "demo.pair";

// A name in the working folder, "./NAME" (built by appending: GCC 12 warns falsely on "./" + name).
std::string here(const char* name) {
    std::string path = "./";
    path += name;
    return path;
}

// A file of the Data folder by its bare name, in another folder.
std::string inFolder(const fs::path& folder, std::string_view dataName) {
    return (folder / std::string(data::underData(dataName))).string();
}
} // namespace

PlayerFiles::PlayerFiles()
    : settings_(here(kSettingsName)), scoreTable_(data::kScoreTable), scoreText_(here(kScoreTextName)),
      bestRide_(data::kDemoRecording), bestGoals_(data::kDemoGoals),
      bestSeal_((fs::path(data::kDemoGoals).parent_path() / kDemoSealName).string()),
      lastRide_(data::kReplayRecording), lastGoals_(data::kReplayGoals), errorLog_(kErrorLogName),
      windowState_(here(kWindowStateName)), screenshots_(here(kScreenshotFolderName)),
      replays_(here(kReplayFolderName)), padMappings_(here(kPadMappingsName)) {}

PlayerFiles PlayerFiles::separate(const fs::path& configFolder, const fs::path& userFolder) {
    PlayerFiles files;
    files.portable_ = false;
    files.settings_ = (configFolder / kSettingsName).string();
    files.scoreTable_ = inFolder(userFolder, data::kScoreTable);
    files.scoreText_ = (userFolder / kScoreTextName).string();
    files.bestRide_ = inFolder(userFolder, data::kDemoRecording);
    files.bestGoals_ = inFolder(userFolder, data::kDemoGoals);
    files.bestSeal_ = (userFolder / kDemoSealName).string();
    files.lastRide_ = inFolder(userFolder, data::kReplayRecording);
    files.lastGoals_ = inFolder(userFolder, data::kReplayGoals);
    files.errorLog_ = (userFolder / kErrorLogName).string();
    files.windowState_ = (userFolder / kWindowStateName).string();
    files.screenshots_ = (userFolder / kScreenshotFolderName).string();
    files.replays_ = (userFolder / kReplayFolderName).string();
    files.padMappings_ = (configFolder / kPadMappingsName).string();
    return files;
}

std::vector<std::string> PlayerFiles::folders() const {
    std::vector<std::string> folders;
    for (const std::string* file : {&settings_, &scoreTable_, &scoreText_, &bestRide_, &bestGoals_,
                                    &lastRide_, &lastGoals_, &errorLog_, &windowState_, &replays_}) {
        fs::path folder = file == &replays_ ? fs::path(*file) : fs::path(*file).parent_path();
        if (folder.empty())
            folder = fs::path(".");
        if (std::find(folders.begin(), folders.end(), folder.string()) == folders.end())
            folders.push_back(folder.string());
    }
    return folders;
}

PlayerFiles::Demo PlayerFiles::attractDemo() const {
    std::error_code ec;
    if (portable_ || fs::exists(bestRide_, ec))
        return {bestRide_, bestGoals_, bestSeal_};
    return {data::kDemoRecording, data::kDemoGoals, ""};
}

} // namespace qv
