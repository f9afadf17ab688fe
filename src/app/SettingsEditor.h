#pragma once

#include <string>
#include <string_view>

namespace qv {

// A change to the settings file's text that keeps everything else the player wrote: comments,
// blank lines, unknown keys, their order and spelling, spacing and line ends. It finds a key as
// Settings reads it (names without regard to case; the first KEY= line in a section of that
// name wins) and changes only that line's value. A key the file lacks goes at the end of the
// first section of its name, or into a new section at the end of the file.
class SettingsEditor {
  public:
    explicit SettingsEditor(std::string text) : text_(std::move(text)) {}

    void set(std::string_view section, std::string_view key, std::string_view value);
    const std::string& text() const { return text_; }

  private:
    // The line end new lines get: the file's own ("\r\n" when its first line has one).
    std::string_view lineEnd() const;

    std::string text_;
};

} // namespace qv
