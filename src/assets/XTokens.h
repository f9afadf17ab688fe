#pragma once

#include "core/Text.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qv {

// One token of a .x file as Assimp's object reader takes it: a name (a text run, or a binary
// name or string), a brace, a separator, a number (a text run that starts like one, or a whole
// binary integer list), another binary mark, or the end of the file.
struct XToken {
    enum class Kind { End, Name, Open, Close, Separator, Number, Mark };
    Kind kind = Kind::End;
    std::string_view text;
};

// A piece of a .x file as a message shows it: quoted, at most 24 bytes, binary bytes escaped.
inline std::string quotedPiece(std::string_view text) {
    constexpr size_t kShownBytes = 24;
    std::string quoted = "\"";
    quoted += printable(text.substr(0, kShownBytes));
    quoted += '"';
    return quoted;
}

// The first thing in a .x file that does not follow the layout; what() says what and where.
class XLayoutError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads a .x file in the steps Assimp's .x parser takes, one implementation per format, so the
// layout walker consumes exactly what the parser will: next() is the parser's token read, the
// number reads are its ReadInt and ReadFloat (with the separator that must follow a number in
// text), the separator reads its optional and required punctuation. Each read throws
// XLayoutError where the parser would read something else than the walker expects.
class XTokens {
  public:
    virtual ~XTokens() = default;

    virtual XToken next() = 0;
    // A whole number; negative ones are refused (the parser would wrap them to billions).
    virtual uint64_t whole() = 0;
    // A finite real number.
    virtual float real() = 0;
    // A ',' or ';' if one is next (text only; the parser skips it).
    virtual void optionalSeparator() = 0;
    // A ',' or ';' that must come next (text only).
    virtual void separator() = 0;
    // A ';' that must come next (text only).
    virtual void semicolon() = 0;
    // A quoted string ending in ";" in text, a name or string token in binary.
    virtual std::string_view string() = 0;

    [[noreturn]] void refuse(const std::string& why) const { throw XLayoutError(where() + ": " + why); }

  protected:
    // Where the reader is, for messages: "line 12" or "byte 345".
    virtual std::string where() const = 0;
};

} // namespace qv
