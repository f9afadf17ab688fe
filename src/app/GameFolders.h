#pragma once

#include "assets/PlayerFiles.h"

#include <filesystem>
#include <optional>
#include <string>

namespace qv {

// Finds the game's two roots before it starts: the content folder (the one holding Data/) and
// where the player's files are.
//
// - Portable: the working directory or the binary's own folder holds the game's Data; both
//   roots are that folder and the files keep their old names and places.
// - Installed: the content is in the data folder the build installed next to the binary; the
//   settings are in $XDG_CONFIG_HOME/qorvex, everything the game writes in $XDG_DATA_HOME/qorvex
//   (an empty or relative XDG value is ignored, as the XDG rules say, for ~/.config and
//   ~/.local/share).
// - --content-dir and --user-dir choose either root; a chosen user folder holds the settings
//   too. With a chosen content folder the player's files stay in the installed game's places
//   (the content may be read-only).
class GameFolders {
  public:
    enum class Mode { Portable, Installed, Chosen };

    // What the game was started with.
    struct Request {
        std::filesystem::path workingDirectory;
        std::filesystem::path executable;       // the binary's real path
        std::string contentDir;                 // --content-dir, as given
        std::string userDir;                    // --user-dir, as given
        std::string home;                       // $HOME
        std::string configHome;                 // $XDG_CONFIG_HOME
        std::string dataHome;                   // $XDG_DATA_HOME
        std::filesystem::path installedContent; // relative to the binary's folder
    };
    // The request of this process: its working directory, binary and environment.
    static Request requestOf(const std::string& contentDir, const std::string& userDir);

    // The folders for request; nullopt with a message for the player when there are none.
    static std::optional<GameFolders> locate(const Request& request, std::string& error);

    // Creates the folder the player's files go to (owner only) when missing and checks that the
    // game can write there, and that a content folder not found as a portable game's holds every
    // content file. False with a message naming the folder or the file.
    bool prepare(std::string& error) const;

    Mode mode() const { return mode_; }
    const std::filesystem::path& content() const { return content_; }
    // Paths of a portable game are relative to content(), the working directory it runs in.
    const PlayerFiles& files() const { return files_; }
    // The folders in words, for --help: "content: ...", "settings: ...", "saves: ...".
    std::string describe() const;

  private:
    GameFolders(Mode mode, std::filesystem::path content, std::filesystem::path user, PlayerFiles files);

    bool prepareUserFolder(std::string& error) const;
    bool checkContent(std::string& error) const;

    Mode mode_;
    std::filesystem::path content_;
    std::filesystem::path user_; // where the game writes
    PlayerFiles files_;
};

} // namespace qv
