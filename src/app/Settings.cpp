#include "app/Settings.h"

#include "app/SettingsEditor.h"
#include "core/FilePaths.h"
#include "core/Text.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

namespace qv {

namespace {

std::optional<int32_t> parseInt(std::string_view text) {
    text = trimmedSpace(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// One KEY=VALUE line and the section it stands in; a line outside any well-formed section
// header has no section and never matches.
struct Entry {
    std::optional<std::string> section;
    std::string key;
    std::string value;
};

// A settings file larger than this is no settings file: it reads as missing (every default),
// never read whole again for each key.
constexpr uint64_t kMaxSettingsBytes = uint64_t{1} << 20;

std::vector<Entry> readEntries(const std::string& path) {
    std::vector<Entry> entries;
    std::string text;
    if (!readFile(path, text, kMaxSettingsBytes))
        return entries;
    std::istringstream in(text);
    std::optional<std::string> section;
    std::string line;
    while (std::getline(in, line)) {
        std::string_view text = trimmedSpace(line);
        if (text.empty() || text.front() == ';' || text.front() == '#')
            continue;
        if (text.front() == '[') {
            const size_t close = text.find(']');
            section = close == std::string_view::npos
                          ? std::nullopt
                          : std::optional<std::string>(trimmedSpace(text.substr(1, close - 1)));
            continue;
        }
        const size_t eq = text.find('=');
        if (eq != std::string_view::npos)
            entries.push_back(
                {section, std::string(trimmedSpace(text.substr(0, eq))), std::string(text.substr(eq + 1))});
    }
    return entries;
}

bool inSection(const Entry& entry, std::string_view section) {
    return entry.section && equalsIgnoreCase(*entry.section, section);
}

const Entry* find(const std::vector<Entry>& entries, std::string_view section, std::string_view key) {
    for (const Entry& entry : entries) {
        if (inSection(entry, section) && equalsIgnoreCase(entry.key, key))
            return &entry;
    }
    return nullptr;
}

int32_t lookUp(const std::vector<Entry>& entries, std::string_view section, std::string_view key,
               int32_t defaultValue) {
    const Entry* entry = find(entries, section, key);
    return entry ? parseInt(entry->value).value_or(defaultValue) : defaultValue;
}

int32_t lookUp(const std::vector<Entry>& entries, const SettingKey& key) {
    return lookUp(entries, key.section, key.key, key.fallback);
}

} // namespace

int32_t Settings::readInt(std::string_view section, std::string_view key, int32_t defaultValue) const {
    return lookUp(readEntries(path_), section, key, defaultValue);
}

std::optional<std::string> Settings::readString(std::string_view section, std::string_view key) const {
    const std::vector<Entry> entries = readEntries(path_);
    const Entry* entry = find(entries, section, key);
    if (!entry)
        return std::nullopt;
    return std::string(trimmedSpace(entry->value));
}

SceneOptions Settings::sceneOptions() const {
    const std::vector<Entry> entries = readEntries(path_);
    SceneOptions options;
    options.fogMode = lookUp(entries, setting::kFog);
    options.palette = lookUp(entries, setting::kColor);
    options.groundTexture = lookUp(entries, setting::kGroundTexture) != 0;
    options.ripples = lookUp(entries, setting::kRipple) != 0;
    options.splashes = lookUp(entries, setting::kSplash) != 0;
    options.initializeScores = lookUp(entries, setting::kInitializeScores) != 0;
    options.focusPause = lookUp(entries, setting::kFocusPause) != 0;
    return options;
}

// One warning per bad line: the file is read once, when the game starts.
Bindings Settings::bindings(std::ostream& warnings) const {
    const std::vector<Entry> entries = readEntries(path_);
    Bindings bindings = Bindings::defaults();
    const std::string where = path_ + " [" + std::string(setting::kControlsSection) + "] ";
    for (const Entry& entry : entries) {
        if (!inSection(entry, setting::kControlsSection))
            continue;
        const auto action = gameActionFromName(entry.key);
        if (!action) {
            warnings << "qorvex: " << where << entry.key << ": no such action; the line is ignored\n";
            continue;
        }
        if (find(entries, setting::kControlsSection, entry.key) != &entry)
            continue; // the first line for a key wins, as everywhere in the file
        std::string unknown;
        auto list = Bindings::parse(entry.value, unknown);
        const auto hotKey = list ? Bindings::firstHotKey(*list) : std::nullopt;
        if (list && !hotKey) {
            bindings.set(*action, std::move(*list));
            continue;
        }
        warnings << "qorvex: " << where << entry.key << ": ";
        if (hotKey)
            warnings << Bindings::describe({*hotKey})
                     << " is the game's own key (mute, F9, F12, Print Screen)";
        else
            warnings << "no key or pad button is called \"" << unknown << "\"";
        warnings << "; " << gameActionName(*action) << " keeps " << Bindings::describe(bindings.of(*action))
                 << "\n";
    }
    return bindings;
}

bool Settings::write(std::string_view section, std::string_view key, std::string_view value,
                     std::string& error) const {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::string text;
    if (fs::exists(path_, ec) && !readFile(path_, text, kMaxSettingsBytes)) {
        error = "cannot read " + path_ + " to change it; it is left as it was";
        return false;
    }
    const fs::path folder = fs::path(path_).parent_path();
    if (!folder.empty() && !fs::exists(folder, ec) && !createFolderOwnerOnly(folder, ec)) {
        error = "cannot make the folder " + folder.string() + ": " + ec.message();
        return false;
    }
    SettingsEditor editor(std::move(text));
    editor.set(section, key, value);
    if (!writeFileAtomically(path_, editor.text().data(), editor.text().size())) {
        error = "cannot write " + path_ + "; it is left as it was";
        return false;
    }
    return true;
}

} // namespace qv
