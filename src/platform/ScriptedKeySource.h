#pragma once

#include "platform/KeySource.h"
#include "platform/WindowFocus.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The headless keyboard: a key script replayed tick by tick. One event a line, "TICK down KEY"
// or "TICK up KEY" (KEY a key code name such as RETURN, LEFT, A, 7); '#' starts a comment and
// blank lines are allowed. Ticks count from 1 and need not be in order; events of the same tick
// apply in the order they are written. "TICK focus lost" and "TICK focus gained" stand for the
// window losing and regaining the player's focus; without focus every key reads as up.
class ScriptedKeySource : public KeySource, public WindowFocus {
  public:
    // Both throw FatalError naming the file and line of the first bad line.
    static ScriptedKeySource fromFile(const std::string& path);
    static ScriptedKeySource fromText(const std::string& text);

    // Applies every event up to and including tick, so an event at tick t is in effect while
    // tick t runs. Going back in time changes nothing.
    void advanceTo(uint32_t tick);
    bool isDown(uint8_t code) const override { return focused_ && down_[code]; }
    void readAll(KeyTable& down) const override;
    bool focused() const override { return focused_; }

  private:
    struct Event {
        uint32_t tick;
        uint8_t code;
        bool down; // for a focus event: focus gained
        bool focus = false;
    };

    explicit ScriptedKeySource(std::vector<Event> events);
    static ScriptedKeySource parse(const std::string& text, const std::string& source);
    static Event parseLine(const std::string& line, const std::string& where);

    std::vector<Event> events_; // sorted by tick, file order within a tick
    size_t next_ = 0;
    KeyTable down_{};
    bool focused_ = true;
};

} // namespace qv
