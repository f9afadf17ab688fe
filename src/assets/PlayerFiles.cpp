#include "assets/PlayerFiles.h"

#include "assets/DataFiles.h"

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

// A file of the Data folder by its bare name, in another folder.
std::string inFolder(const fs::path& folder, std::string_view dataName) {
    return (folder / std::string(data::underData(dataName))).string();
}
} // namespace

PlayerFiles::PlayerFiles()
    : settings_(std::string("./") + kSettingsName), scoreTable_(data::kScoreTable),
      scoreText_(std::string("./") + kScoreTextName), bestRide_(data::kDemoRecording),
      bestGoals_(data::kDemoGoals), lastRide_(data::kReplayRecording), lastGoals_(data::kReplayGoals),
      errorLog_(kErrorLogName), windowState_(std::string("./") + kWindowStateName),
      screenshots_(std::string("./") + kScreenshotFolderName),
      replays_(std::string("./") + kReplayFolderName), padMappings_(std::string("./") + kPadMappingsName) {}

PlayerFiles PlayerFiles::separate(const fs::path& configFolder, const fs::path& userFolder) {
    PlayerFiles files;
    files.portable_ = false;
    files.settings_ = (configFolder / kSettingsName).string();
    files.scoreTable_ = inFolder(userFolder, data::kScoreTable);
    files.scoreText_ = (userFolder / kScoreTextName).string();
    files.bestRide_ = inFolder(userFolder, data::kDemoRecording);
    files.bestGoals_ = inFolder(userFolder, data::kDemoGoals);
    files.lastRide_ = inFolder(userFolder, data::kReplayRecording);
    files.lastGoals_ = inFolder(userFolder, data::kReplayGoals);
    files.errorLog_ = (userFolder / kErrorLogName).string();
    files.windowState_ = (userFolder / kWindowStateName).string();
    files.screenshots_ = (userFolder / kScreenshotFolderName).string();
    files.replays_ = (userFolder / kReplayFolderName).string();
    files.padMappings_ = (configFolder / kPadMappingsName).string();
    return files;
}

PlayerFiles::Demo PlayerFiles::attractDemo() const {
    std::error_code ec;
    if (portable_ || fs::exists(bestRide_, ec))
        return {bestRide_, bestGoals_};
    return {data::kDemoRecording, data::kDemoGoals};
}

} // namespace qv
