#pragma once

#include "app/SettingsTable.h"
#include "game/SceneOptions.h"
#include "platform/Bindings.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Reader of the player's profile file Pedalon.ini (in the game's folder or the settings folder). Every read
// opens the file again, so an edit takes effect at the next reader; nothing is cached. The file is the
// source of truth: write() changes one value in it and nothing else.
//
// Format: [SECTION] headers and KEY=VALUE lines; section and key names match without regard to
// case; ';' or '#' start a comment line; white space around names and values is ignored.
// A missing file, section or key gives the default. So does a malformed value (anything but
// an optional sign and decimal digits, or a number outside the 32-bit range). The first
// matching line wins.
class Settings {
  public:
    explicit Settings(std::string path = "./Pedalon.ini") : path_(std::move(path)) {}

    int32_t readInt(std::string_view section, std::string_view key, int32_t defaultValue) const;
    int32_t read(const SettingKey& key) const { return readInt(key.section, key.key, key.fallback); }
    // The value as written, without the white space around it; empty when the file, section or
    // key is missing.
    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    // The switches of one scene, from one reading of the file.
    SceneOptions sceneOptions() const;
    // The controls: the defaults, with each action the [CONTROLS] section names bound as it says.
    // An unknown action, or a value naming a key or pad input that does not exist, is told on
    // `warnings` and changes nothing (the action keeps its default).
    Bindings bindings(std::ostream& warnings) const;
    const std::string& path() const { return path_; }

    // Sets one value in the file, keeping every other line as the player wrote it
    // (SettingsEditor), through a temporary file and a rename; the file's folder is made, owner
    // only, when missing. False with a message for the player when the file could not be read
    // or written; the file is then as it was.
    bool write(std::string_view section, std::string_view key, std::string_view value,
               std::string& error) const;

  private:
    std::string path_;
};

} // namespace qv
