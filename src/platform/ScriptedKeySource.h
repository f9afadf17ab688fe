#pragma once

#include "platform/KeySource.h"
#include "platform/PadSource.h"
#include "platform/WindowFocus.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The headless keyboard and pad: a key script replayed tick by tick. One event a line:
//   TICK down KEY, TICK up KEY   KEY a key code name (RETURN, LEFT, A, 7) or a pad button (PAD_A)
//   TICK axis AXIS VALUE         a pad axis (LEFTX, LEFTY, RIGHTX, RIGHTY, LT, RT) moves to VALUE;
//                                 any number is taken, even nan or 5, as a broken pad might send
//   TICK padconnect, TICK paddisconnect   the pad is plugged in (nothing held) or pulled out
//   TICK focus lost, TICK focus gained    the window loses or regains the player's focus; without
//                                 it every key and pad input reads as not held
// '#' starts a comment and blank lines are allowed. Ticks count from 1 and need not be in order;
// events of the same tick apply in the order they are written. The pad is plugged in from the
// start; while it is out, its button and axis lines change nothing, as a real pad's could not.
class ScriptedKeySource : public KeySource, public PadSource, public WindowFocus {
  public:
    // Both throw FatalError naming the file and line of the first bad line.
    static ScriptedKeySource fromFile(const std::string& path);
    static ScriptedKeySource fromText(const std::string& text);

    // Applies every event up to and including tick, so an event at tick t is in effect while
    // tick t runs. Going back in time changes nothing.
    void advanceTo(uint32_t tick);
    bool isDown(uint8_t code) const override { return focused_ && down_[code]; }
    void readAll(KeyTable& down) const override;
    PadState padState() const override { return focused_ ? pad_ : PadState{.connected = pad_.connected}; }
    bool focused() const override { return focused_; }

    enum class EventKind : uint8_t { Key, PadButton, PadAxis, PadConnect, PadDisconnect, Focus };

  private:
    struct Event {
        uint32_t tick;
        EventKind kind;
        uint8_t index;     // key code, PadButton or PadAxis
        bool down = false; // for a focus event: focus gained
        float value = 0.0f;
    };

    explicit ScriptedKeySource(std::vector<Event> events);
    static ScriptedKeySource parse(const std::string& text, const std::string& source);
    static Event parseLine(const std::string& line, const std::string& where);
    static void parsePress(const std::string& name, bool down, const std::string& where, Event& event);
    static void parseAxis(const std::string& name, const std::string& value, const std::string& where,
                          Event& event);
    void apply(const Event& event);

    std::vector<Event> events_; // sorted by tick, file order within a tick
    size_t next_ = 0;
    KeyTable down_{};
    PadState pad_{.connected = true};
    bool focused_ = true;
};

} // namespace qv
