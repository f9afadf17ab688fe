#pragma once

#include "platform/KeySource.h"

#include <SDL_scancode.h>

#include <bitset>
#include <cstdint>
#include <optional>

struct SDL_Window;

namespace qv {

// The live keyboard: SDL's key state (current as of the last event pump) seen through the game's
// key codes. While the window lacks keyboard focus every key reads as up, so keys held in
// another program never steer the rider; losing focus ends nothing.
class SdlKeySource : public KeySource {
  public:
    explicit SdlKeySource(SDL_Window* window) : window_(window) {}

    bool isDown(uint8_t code) const override;
    // Reads the key as up until it is next released: a key press the window used for itself
    // (Alt+Enter switching to full screen) must not also act in the game.
    void holdUpUntilReleased(uint8_t code) { heldUp_.set(code); }

    // The SDL scancode of a key code; SDL_SCANCODE_UNKNOWN for codes no key has.
    static SDL_Scancode scancodeFor(uint8_t code);
    // The key code of an SDL scancode; empty for keys the game's table has no code for.
    static std::optional<uint8_t> codeFor(SDL_Scancode scancode);

  private:
    SDL_Window* window_;
    mutable std::bitset<256> heldUp_; // cleared by the first reading that finds the key up
};

} // namespace qv
