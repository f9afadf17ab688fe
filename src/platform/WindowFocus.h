#pragma once

namespace qv {

// Whether the player is at the game: the window has the keyboard focus and is not minimised.
// The real window answers from SDL; the headless key script says when focus comes and goes.
class WindowFocus {
  public:
    virtual ~WindowFocus() = default;
    virtual bool focused() const = 0;
};

} // namespace qv
