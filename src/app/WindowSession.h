#pragma once

#include "platform/WindowState.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace qv {

class SdlClock;
class SdlKeySource;
class SdlWindow;

// The window's side of the main loop. Once a pass it handles every pending window event, keeps
// Enter from the game when Alt+Enter took it, lets the clock sleep through its waits while
// nothing is shown, and keeps the window's size and mode in the player's state file: written
// once a change has settled, and at the end when it differs from the file.
class WindowSession {
  public:
    // Passes a change must be kept before it is written (half a second: a drag of the window's
    // edge is written once, at its end).
    static constexpr uint32_t kSettlePasses = 30;

    // keys and clock are the window's own, or null where they are scripted (the headless runner).
    // stateFile: where the state is kept, empty for nowhere; saved: what the file held at the start.
    // A file that cannot be written is reported on errors.
    WindowSession(SdlWindow& window, SdlKeySource* keys, SdlClock* clock, std::string stateFile,
                  std::optional<WindowState> saved, std::ostream& errors);

    // One pass of the main loop; true when the player asked to quit (the close button).
    bool pass();
    // The last pass changed what the picture must be (a new size or mode, the window shown
    // again): a paused game draws a frame.
    bool pictureChanged() const { return pictureChanged_; }
    // Writes the state if it is not what the file holds.
    void close();

  private:
    void save();

    SdlWindow& window_;
    SdlKeySource* keys_;
    SdlClock* clock_;
    const std::string stateFile_;
    std::optional<WindowState> saved_;
    std::ostream& errors_;
    uint32_t settling_ = 0; // passes left before a change is written
    bool saveFailed_ = false;
    bool pictureChanged_ = false;
    bool wasShowing_ = true;
};

} // namespace qv
