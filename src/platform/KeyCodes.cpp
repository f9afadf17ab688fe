#include "platform/KeyCodes.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qv {

namespace {

using namespace key;

constexpr std::array kNamedKeys = {
    NamedKey{"ESCAPE", kEscape},
    NamedKey{"1", k1},
    NamedKey{"2", k2},
    NamedKey{"3", k3},
    NamedKey{"4", k4},
    NamedKey{"5", k5},
    NamedKey{"6", k6},
    NamedKey{"7", k7},
    NamedKey{"8", k8},
    NamedKey{"9", k9},
    NamedKey{"0", k0},
    NamedKey{"MINUS", kMinus},
    NamedKey{"EQUALS", kEquals},
    NamedKey{"BACK", kBack},
    NamedKey{"TAB", kTab},
    NamedKey{"Q", kQ},
    NamedKey{"W", kW},
    NamedKey{"E", kE},
    NamedKey{"R", kR},
    NamedKey{"T", kT},
    NamedKey{"Y", kY},
    NamedKey{"U", kU},
    NamedKey{"I", kI},
    NamedKey{"O", kO},
    NamedKey{"P", kP},
    NamedKey{"LBRACKET", kLBracket},
    NamedKey{"RBRACKET", kRBracket},
    NamedKey{"RETURN", kReturn},
    NamedKey{"LCONTROL", kLControl},
    NamedKey{"A", kA},
    NamedKey{"S", kS},
    NamedKey{"D", kD},
    NamedKey{"F", kF},
    NamedKey{"G", kG},
    NamedKey{"H", kH},
    NamedKey{"J", kJ},
    NamedKey{"K", kK},
    NamedKey{"L", kL},
    NamedKey{"SEMICOLON", kSemicolon},
    NamedKey{"APOSTROPHE", kApostrophe},
    NamedKey{"GRAVE", kGrave},
    NamedKey{"LSHIFT", kLShift},
    NamedKey{"BACKSLASH", kBackslash},
    NamedKey{"Z", kZ},
    NamedKey{"X", kX},
    NamedKey{"C", kC},
    NamedKey{"V", kV},
    NamedKey{"B", kB},
    NamedKey{"N", kN},
    NamedKey{"M", kM},
    NamedKey{"COMMA", kComma},
    NamedKey{"PERIOD", kPeriod},
    NamedKey{"SLASH", kSlash},
    NamedKey{"RSHIFT", kRShift},
    NamedKey{"MULTIPLY", kMultiply},
    NamedKey{"LMENU", kLMenu},
    NamedKey{"SPACE", kSpace},
    NamedKey{"CAPITAL", kCapital},
    NamedKey{"F1", kF1},
    NamedKey{"F2", kF2},
    NamedKey{"F3", kF3},
    NamedKey{"F4", kF4},
    NamedKey{"F5", kF5},
    NamedKey{"F6", kF6},
    NamedKey{"F7", kF7},
    NamedKey{"F8", kF8},
    NamedKey{"F9", kF9},
    NamedKey{"F10", kF10},
    NamedKey{"NUMLOCK", kNumLock},
    NamedKey{"SCROLL", kScroll},
    NamedKey{"NUMPAD7", kNumpad7},
    NamedKey{"NUMPAD8", kNumpad8},
    NamedKey{"NUMPAD9", kNumpad9},
    NamedKey{"SUBTRACT", kSubtract},
    NamedKey{"NUMPAD4", kNumpad4},
    NamedKey{"NUMPAD5", kNumpad5},
    NamedKey{"NUMPAD6", kNumpad6},
    NamedKey{"ADD", kAdd},
    NamedKey{"NUMPAD1", kNumpad1},
    NamedKey{"NUMPAD2", kNumpad2},
    NamedKey{"NUMPAD3", kNumpad3},
    NamedKey{"NUMPAD0", kNumpad0},
    NamedKey{"DECIMAL", kDecimal},
    NamedKey{"F11", kF11},
    NamedKey{"F12", kF12},
    NamedKey{"NUMPADENTER", kNumpadEnter},
    NamedKey{"RCONTROL", kRControl},
    NamedKey{"DIVIDE", kDivide},
    NamedKey{"SYSRQ", kSysRq},
    NamedKey{"RMENU", kRMenu},
    NamedKey{"HOME", kHome},
    NamedKey{"UP", kUp},
    NamedKey{"PRIOR", kPrior},
    NamedKey{"LEFT", kLeft},
    NamedKey{"RIGHT", kRight},
    NamedKey{"END", kEnd},
    NamedKey{"DOWN", kDown},
    NamedKey{"NEXT", kNext},
    NamedKey{"INSERT", kInsert},
    NamedKey{"DELETE", kDelete},
    NamedKey{"LWIN", kLWin},
    NamedKey{"RWIN", kRWin},
};

// The customary second names of some keys, accepted in key scripts as well.
constexpr std::array kAliases = {
    NamedKey{"BACKSPACE", kBack},       NamedKey{"NUMPADSTAR", kMultiply},  NamedKey{"LALT", kLMenu},
    NamedKey{"CAPSLOCK", kCapital},     NamedKey{"NUMPADMINUS", kSubtract}, NamedKey{"NUMPADPLUS", kAdd},
    NamedKey{"NUMPADPERIOD", kDecimal}, NamedKey{"NUMPADSLASH", kDivide},   NamedKey{"RALT", kRMenu},
    NamedKey{"UPARROW", kUp},           NamedKey{"PGUP", kPrior},           NamedKey{"LEFTARROW", kLeft},
    NamedKey{"RIGHTARROW", kRight},     NamedKey{"DOWNARROW", kDown},       NamedKey{"PGDN", kNext},
    NamedKey{"PRINTSCREEN", kSysRq},
};

template <size_t N>
std::optional<uint8_t> findIn(const std::array<NamedKey, N>& table, std::string_view name) {
    auto it = std::ranges::find_if(table, [name](const NamedKey& k) { return sameKeyName(k.name, name); });
    if (it == table.end())
        return std::nullopt;
    return it->code;
}

} // namespace

bool sameKeyName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

// Case does not matter: "return", "Return" and "RETURN" all name the same key.
std::optional<uint8_t> keyCodeFromName(std::string_view name) {
    if (auto code = findIn(kNamedKeys, name))
        return code;
    return findIn(kAliases, name);
}

std::span<const NamedKey> namedKeys() {
    return kNamedKeys;
}

std::string_view keyName(uint8_t code) {
    auto it = std::ranges::find(kNamedKeys, code, &NamedKey::code);
    return it == kNamedKeys.end() ? std::string_view() : it->name;
}

} // namespace qv
