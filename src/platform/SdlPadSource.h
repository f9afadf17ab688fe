#pragma once

#include "platform/PadSource.h"

#include <SDL_gamecontroller.h>
#include <SDL_joystick.h>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

struct SDL_Window;

namespace qv {

// The real pads: every game controller SDL knows a mapping for, and any other joystick with a
// plain layout (its first four buttons A, B, X, Y, the next two the shoulders, the first axis
// steering, the first hat the d-pad). Pads may be plugged in and pulled out at any time:
// update() opens and closes them from SDL's device list, whoever reads SDL's event queue. Several
// pads read as one. While the window lacks keyboard focus nothing reads as held, as with keys.
class SdlPadSource : public PadSource {
  public:
    // Starts SDL's game controller support (a pad-less game when SDL cannot) and adds the
    // player's own mappings: mappingFile when it exists, then the SDL_GAMECONTROLLERCONFIG
    // variable. What happens to pads, and every mapping SDL cannot use, is told on `messages`.
    // Without a window (tests) the pads are read whatever has focus.
    SdlPadSource(SDL_Window* focusWindow, const std::string& mappingFile, std::ostream& messages);
    ~SdlPadSource() override;
    SdlPadSource(const SdlPadSource&) = delete;
    SdlPadSource& operator=(const SdlPadSource&) = delete;

    // Reads the pads for the coming tick, opening those plugged in and closing those pulled out
    // since the last call.
    void update();
    PadState padState() const override { return state_; }
    size_t padCount() const { return pads_.size(); }

    // Adds the mappings of a gamecontrollerdb.txt text (one a line, '#' comments, lines for
    // other systems skipped); each line SDL does not accept is named on `messages` as from
    // `origin` and left out. The number of mappings added or updated.
    static int addMappings(std::string_view text, const std::string& origin, std::ostream& messages);

  private:
    struct Pad {
        SDL_JoystickID id;
        SDL_GameController* controller; // null for a joystick without a mapping
        SDL_Joystick* joystick;
        std::string name;
    };

    void closePulledOut();
    void openPluggedIn();
    bool known(SDL_JoystickID id) const;
    void open(int deviceIndex, SDL_JoystickID id);
    static void close(const Pad& pad);
    bool focused() const;
    PadState readPads() const;

    SDL_Window* focusWindow_;
    std::ostream& messages_;
    bool available_ = false;
    std::vector<Pad> pads_;
    std::vector<SDL_JoystickID> unusable_; // could not be opened: not tried again
    PadState state_;
};

} // namespace qv
