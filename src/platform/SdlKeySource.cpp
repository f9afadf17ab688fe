#include "platform/SdlKeySource.h"

#include "platform/KeyCodes.h"

#include <SDL_keyboard.h>

#include <algorithm>
#include <array>

namespace qv {

namespace {

struct KeyScancode {
    uint8_t code;
    SDL_Scancode scancode;
};

// The one mapping between the game's key codes and SDL's scancodes; both are positions on the
// physical keyboard, so the layout the player types with does not matter.
constexpr std::array kKeyScancodes = {
    KeyScancode{key::kEscape, SDL_SCANCODE_ESCAPE},
    KeyScancode{key::k1, SDL_SCANCODE_1},
    KeyScancode{key::k2, SDL_SCANCODE_2},
    KeyScancode{key::k3, SDL_SCANCODE_3},
    KeyScancode{key::k4, SDL_SCANCODE_4},
    KeyScancode{key::k5, SDL_SCANCODE_5},
    KeyScancode{key::k6, SDL_SCANCODE_6},
    KeyScancode{key::k7, SDL_SCANCODE_7},
    KeyScancode{key::k8, SDL_SCANCODE_8},
    KeyScancode{key::k9, SDL_SCANCODE_9},
    KeyScancode{key::k0, SDL_SCANCODE_0},
    KeyScancode{key::kMinus, SDL_SCANCODE_MINUS},
    KeyScancode{key::kEquals, SDL_SCANCODE_EQUALS},
    KeyScancode{key::kBack, SDL_SCANCODE_BACKSPACE},
    KeyScancode{key::kTab, SDL_SCANCODE_TAB},
    KeyScancode{key::kQ, SDL_SCANCODE_Q},
    KeyScancode{key::kW, SDL_SCANCODE_W},
    KeyScancode{key::kE, SDL_SCANCODE_E},
    KeyScancode{key::kR, SDL_SCANCODE_R},
    KeyScancode{key::kT, SDL_SCANCODE_T},
    KeyScancode{key::kY, SDL_SCANCODE_Y},
    KeyScancode{key::kU, SDL_SCANCODE_U},
    KeyScancode{key::kI, SDL_SCANCODE_I},
    KeyScancode{key::kO, SDL_SCANCODE_O},
    KeyScancode{key::kP, SDL_SCANCODE_P},
    KeyScancode{key::kLBracket, SDL_SCANCODE_LEFTBRACKET},
    KeyScancode{key::kRBracket, SDL_SCANCODE_RIGHTBRACKET},
    KeyScancode{key::kReturn, SDL_SCANCODE_RETURN},
    KeyScancode{key::kLControl, SDL_SCANCODE_LCTRL},
    KeyScancode{key::kA, SDL_SCANCODE_A},
    KeyScancode{key::kS, SDL_SCANCODE_S},
    KeyScancode{key::kD, SDL_SCANCODE_D},
    KeyScancode{key::kF, SDL_SCANCODE_F},
    KeyScancode{key::kG, SDL_SCANCODE_G},
    KeyScancode{key::kH, SDL_SCANCODE_H},
    KeyScancode{key::kJ, SDL_SCANCODE_J},
    KeyScancode{key::kK, SDL_SCANCODE_K},
    KeyScancode{key::kL, SDL_SCANCODE_L},
    KeyScancode{key::kSemicolon, SDL_SCANCODE_SEMICOLON},
    KeyScancode{key::kApostrophe, SDL_SCANCODE_APOSTROPHE},
    KeyScancode{key::kGrave, SDL_SCANCODE_GRAVE},
    KeyScancode{key::kLShift, SDL_SCANCODE_LSHIFT},
    KeyScancode{key::kBackslash, SDL_SCANCODE_BACKSLASH},
    KeyScancode{key::kZ, SDL_SCANCODE_Z},
    KeyScancode{key::kX, SDL_SCANCODE_X},
    KeyScancode{key::kC, SDL_SCANCODE_C},
    KeyScancode{key::kV, SDL_SCANCODE_V},
    KeyScancode{key::kB, SDL_SCANCODE_B},
    KeyScancode{key::kN, SDL_SCANCODE_N},
    KeyScancode{key::kM, SDL_SCANCODE_M},
    KeyScancode{key::kComma, SDL_SCANCODE_COMMA},
    KeyScancode{key::kPeriod, SDL_SCANCODE_PERIOD},
    KeyScancode{key::kSlash, SDL_SCANCODE_SLASH},
    KeyScancode{key::kRShift, SDL_SCANCODE_RSHIFT},
    KeyScancode{key::kMultiply, SDL_SCANCODE_KP_MULTIPLY},
    KeyScancode{key::kLMenu, SDL_SCANCODE_LALT},
    KeyScancode{key::kSpace, SDL_SCANCODE_SPACE},
    KeyScancode{key::kCapital, SDL_SCANCODE_CAPSLOCK},
    KeyScancode{key::kF1, SDL_SCANCODE_F1},
    KeyScancode{key::kF2, SDL_SCANCODE_F2},
    KeyScancode{key::kF3, SDL_SCANCODE_F3},
    KeyScancode{key::kF4, SDL_SCANCODE_F4},
    KeyScancode{key::kF5, SDL_SCANCODE_F5},
    KeyScancode{key::kF6, SDL_SCANCODE_F6},
    KeyScancode{key::kF7, SDL_SCANCODE_F7},
    KeyScancode{key::kF8, SDL_SCANCODE_F8},
    KeyScancode{key::kF9, SDL_SCANCODE_F9},
    KeyScancode{key::kF10, SDL_SCANCODE_F10},
    KeyScancode{key::kNumLock, SDL_SCANCODE_NUMLOCKCLEAR},
    KeyScancode{key::kScroll, SDL_SCANCODE_SCROLLLOCK},
    KeyScancode{key::kNumpad7, SDL_SCANCODE_KP_7},
    KeyScancode{key::kNumpad8, SDL_SCANCODE_KP_8},
    KeyScancode{key::kNumpad9, SDL_SCANCODE_KP_9},
    KeyScancode{key::kSubtract, SDL_SCANCODE_KP_MINUS},
    KeyScancode{key::kNumpad4, SDL_SCANCODE_KP_4},
    KeyScancode{key::kNumpad5, SDL_SCANCODE_KP_5},
    KeyScancode{key::kNumpad6, SDL_SCANCODE_KP_6},
    KeyScancode{key::kAdd, SDL_SCANCODE_KP_PLUS},
    KeyScancode{key::kNumpad1, SDL_SCANCODE_KP_1},
    KeyScancode{key::kNumpad2, SDL_SCANCODE_KP_2},
    KeyScancode{key::kNumpad3, SDL_SCANCODE_KP_3},
    KeyScancode{key::kNumpad0, SDL_SCANCODE_KP_0},
    KeyScancode{key::kDecimal, SDL_SCANCODE_KP_PERIOD},
    KeyScancode{key::kF11, SDL_SCANCODE_F11},
    KeyScancode{key::kF12, SDL_SCANCODE_F12},
    KeyScancode{key::kNumpadEnter, SDL_SCANCODE_KP_ENTER},
    KeyScancode{key::kRControl, SDL_SCANCODE_RCTRL},
    KeyScancode{key::kDivide, SDL_SCANCODE_KP_DIVIDE},
    KeyScancode{key::kSysRq, SDL_SCANCODE_PRINTSCREEN},
    KeyScancode{key::kRMenu, SDL_SCANCODE_RALT},
    KeyScancode{key::kHome, SDL_SCANCODE_HOME},
    KeyScancode{key::kUp, SDL_SCANCODE_UP},
    KeyScancode{key::kPrior, SDL_SCANCODE_PAGEUP},
    KeyScancode{key::kLeft, SDL_SCANCODE_LEFT},
    KeyScancode{key::kRight, SDL_SCANCODE_RIGHT},
    KeyScancode{key::kEnd, SDL_SCANCODE_END},
    KeyScancode{key::kDown, SDL_SCANCODE_DOWN},
    KeyScancode{key::kNext, SDL_SCANCODE_PAGEDOWN},
    KeyScancode{key::kInsert, SDL_SCANCODE_INSERT},
    KeyScancode{key::kDelete, SDL_SCANCODE_DELETE},
    KeyScancode{key::kLWin, SDL_SCANCODE_LGUI},
    KeyScancode{key::kRWin, SDL_SCANCODE_RGUI},
};

// Indexed by key code, so the 256 reads of every poll are plain lookups.
constexpr std::array<SDL_Scancode, 256> kScancodeByCode = [] {
    std::array<SDL_Scancode, 256> table{};
    table.fill(SDL_SCANCODE_UNKNOWN);
    for (const KeyScancode& entry : kKeyScancodes)
        table[entry.code] = entry.scancode;
    return table;
}();

} // namespace

bool SdlKeySource::isDown(uint8_t code) const {
    if (window_ == nullptr || SDL_GetKeyboardFocus() != window_)
        return false;
    const SDL_Scancode scancode = kScancodeByCode[code];
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    const bool down = scancode != SDL_SCANCODE_UNKNOWN && scancode < count && state[scancode] != 0;
    if (heldUp_.test(code)) {
        heldUp_.set(code, down);
        return false;
    }
    return down;
}

SDL_Scancode SdlKeySource::scancodeFor(uint8_t code) {
    return kScancodeByCode[code];
}

std::optional<uint8_t> SdlKeySource::codeFor(SDL_Scancode scancode) {
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return std::nullopt;
    auto it = std::ranges::find(kKeyScancodes, scancode, &KeyScancode::scancode);
    if (it == kKeyScancodes.end())
        return std::nullopt;
    return it->code;
}

} // namespace qv
