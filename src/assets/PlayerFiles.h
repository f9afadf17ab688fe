#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qv {

// Where the player's own files are: the settings the game reads, and everything it writes (the
// score table and its readable copy, the best and the last ride with their goals, error.log).
// The game's content is read relative to the working directory, which is the content folder
// (assets/DataFiles.h names it).
//
// A portable game keeps them in its own folder, named as they always were. An installed game
// keeps the settings in a config folder and the rest in a user folder, by their bare names;
// its attract demo is the player's best ride once there is one, the built-in demo before.
class PlayerFiles {
  public:
    // The portable game's files, relative to its folder (the working directory).
    PlayerFiles();
    // The settings in configFolder, the files the game writes in userFolder.
    static PlayerFiles separate(const std::filesystem::path& configFolder,
                                const std::filesystem::path& userFolder);

    bool portable() const { return portable_; }
    const std::string& settings() const { return settings_; }
    const std::string& scoreTable() const { return scoreTable_; }
    const std::string& scoreText() const { return scoreText_; }
    const std::string& bestRide() const { return bestRide_; }
    const std::string& bestGoals() const { return bestGoals_; }
    // Written after the best ride and its goals, naming them, so a pair cut short is told apart.
    const std::string& bestSeal() const { return bestSeal_; }
    const std::string& lastRide() const { return lastRide_; }
    const std::string& lastGoals() const { return lastGoals_; }
    const std::string& errorLog() const { return errorLog_; }
    // Files that came after the original ones: the window's size and mode of the last run (the
    // game's own state, not a setting) and the folder of the player's screenshots.
    const std::string& windowState() const { return windowState_; }
    const std::string& screenshots() const { return screenshots_; }
    // Every folder the player's files are in (once each), for the temporary files a killed game
    // may have left there.
    std::vector<std::string> folders() const;
    // The folder every finished run's replay file goes to.
    const std::string& replays() const { return replays_; }
    // The player's own game pad mappings (SDL's gamecontrollerdb.txt format), read if present;
    // configuration, so it lies with the settings.
    const std::string& padMappings() const { return padMappings_; }

    // The ride and goal files the attract demo plays: the player's best when its ride exists,
    // else the built-in demo of the content (the same files in a portable game). The built-in
    // demo has no seal.
    struct Demo {
        std::string ride;
        std::string goals;
        std::string seal;
    };
    Demo attractDemo() const;

  private:
    bool portable_ = true;
    std::string settings_;
    std::string scoreTable_;
    std::string scoreText_;
    std::string bestRide_;
    std::string bestGoals_;
    std::string bestSeal_;
    std::string lastRide_;
    std::string lastGoals_;
    std::string errorLog_;
    std::string windowState_;
    std::string screenshots_;
    std::string replays_;
    std::string padMappings_;
};

} // namespace qv
