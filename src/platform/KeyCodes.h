#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qv {

// Key codes of the 256-entry key table (the classic keyboard scan-code numbering).
namespace key {
constexpr uint8_t kEscape = 0x01;
constexpr uint8_t k1 = 0x02;
constexpr uint8_t k2 = 0x03;
constexpr uint8_t k3 = 0x04;
constexpr uint8_t k4 = 0x05;
constexpr uint8_t k5 = 0x06;
constexpr uint8_t k6 = 0x07;
constexpr uint8_t k7 = 0x08;
constexpr uint8_t k8 = 0x09;
constexpr uint8_t k9 = 0x0A;
constexpr uint8_t k0 = 0x0B;
constexpr uint8_t kMinus = 0x0C;
constexpr uint8_t kEquals = 0x0D;
constexpr uint8_t kBack = 0x0E;
constexpr uint8_t kTab = 0x0F;
constexpr uint8_t kQ = 0x10;
constexpr uint8_t kW = 0x11;
constexpr uint8_t kE = 0x12;
constexpr uint8_t kR = 0x13;
constexpr uint8_t kT = 0x14;
constexpr uint8_t kY = 0x15;
constexpr uint8_t kU = 0x16;
constexpr uint8_t kI = 0x17;
constexpr uint8_t kO = 0x18;
constexpr uint8_t kP = 0x19;
constexpr uint8_t kLBracket = 0x1A;
constexpr uint8_t kRBracket = 0x1B;
constexpr uint8_t kReturn = 0x1C;
constexpr uint8_t kLControl = 0x1D;
constexpr uint8_t kA = 0x1E;
constexpr uint8_t kS = 0x1F;
constexpr uint8_t kD = 0x20;
constexpr uint8_t kF = 0x21;
constexpr uint8_t kG = 0x22;
constexpr uint8_t kH = 0x23;
constexpr uint8_t kJ = 0x24;
constexpr uint8_t kK = 0x25;
constexpr uint8_t kL = 0x26;
constexpr uint8_t kSemicolon = 0x27;
constexpr uint8_t kApostrophe = 0x28;
constexpr uint8_t kGrave = 0x29;
constexpr uint8_t kLShift = 0x2A;
constexpr uint8_t kBackslash = 0x2B;
constexpr uint8_t kZ = 0x2C;
constexpr uint8_t kX = 0x2D;
constexpr uint8_t kC = 0x2E;
constexpr uint8_t kV = 0x2F;
constexpr uint8_t kB = 0x30;
constexpr uint8_t kN = 0x31;
constexpr uint8_t kM = 0x32;
constexpr uint8_t kComma = 0x33;
constexpr uint8_t kPeriod = 0x34;
constexpr uint8_t kSlash = 0x35;
constexpr uint8_t kRShift = 0x36;
constexpr uint8_t kMultiply = 0x37;
constexpr uint8_t kLMenu = 0x38;
constexpr uint8_t kSpace = 0x39;
constexpr uint8_t kCapital = 0x3A;
constexpr uint8_t kF1 = 0x3B;
constexpr uint8_t kF2 = 0x3C;
constexpr uint8_t kF3 = 0x3D;
constexpr uint8_t kF4 = 0x3E;
constexpr uint8_t kF5 = 0x3F;
constexpr uint8_t kF6 = 0x40;
constexpr uint8_t kF7 = 0x41;
constexpr uint8_t kF8 = 0x42;
constexpr uint8_t kF9 = 0x43;
constexpr uint8_t kF10 = 0x44;
constexpr uint8_t kNumLock = 0x45;
constexpr uint8_t kScroll = 0x46;
constexpr uint8_t kNumpad7 = 0x47;
constexpr uint8_t kNumpad8 = 0x48;
constexpr uint8_t kNumpad9 = 0x49;
constexpr uint8_t kSubtract = 0x4A;
constexpr uint8_t kNumpad4 = 0x4B;
constexpr uint8_t kNumpad5 = 0x4C;
constexpr uint8_t kNumpad6 = 0x4D;
constexpr uint8_t kAdd = 0x4E;
constexpr uint8_t kNumpad1 = 0x4F;
constexpr uint8_t kNumpad2 = 0x50;
constexpr uint8_t kNumpad3 = 0x51;
constexpr uint8_t kNumpad0 = 0x52;
constexpr uint8_t kDecimal = 0x53;
constexpr uint8_t kF11 = 0x57;
constexpr uint8_t kF12 = 0x58;
constexpr uint8_t kNumpadEnter = 0x9C;
constexpr uint8_t kRControl = 0x9D;
constexpr uint8_t kDivide = 0xB5;
constexpr uint8_t kSysRq = 0xB7; // Print Screen
constexpr uint8_t kRMenu = 0xB8;
constexpr uint8_t kHome = 0xC7;
constexpr uint8_t kUp = 0xC8;
constexpr uint8_t kPrior = 0xC9;
constexpr uint8_t kLeft = 0xCB;
constexpr uint8_t kRight = 0xCD;
constexpr uint8_t kEnd = 0xCF;
constexpr uint8_t kDown = 0xD0;
constexpr uint8_t kNext = 0xD1;
constexpr uint8_t kInsert = 0xD2;
constexpr uint8_t kDelete = 0xD3;
constexpr uint8_t kLWin = 0xDB;
constexpr uint8_t kRWin = 0xDC;
} // namespace key

// Key code for a name without its prefix ("RETURN", "LEFT", "A", "7"); empty when unknown.
std::optional<uint8_t> keyCodeFromName(std::string_view name);

// Every key code above with its name, in code order (one name per code).
struct NamedKey {
    std::string_view name;
    uint8_t code;
};
std::span<const NamedKey> namedKeys();
// The name of a key code ("RETURN"); empty for codes no key has.
std::string_view keyName(uint8_t code);

// Whether two key, button or action names are the same, whatever their case.
bool sameKeyName(std::string_view a, std::string_view b);

} // namespace qv
