#include "assets/XBinaryTokens.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace qv {

namespace {

constexpr size_t kHeaderBytes = 16;

enum Token : uint16_t {
    Name = 1,
    String = 2,
    Integer = 3,
    Guid = 5,
    IntegerList = 6,
    FloatList = 7,
    Open = 0x0A,
    Close = 0x0B,
    Comma = 0x13,
    Semicolon = 0x14,
    Template = 0x1F,
    FirstKeyword = 0x28,
    LastKeyword = 0x34,
};

// The marks 0x0C to 0x12 and the keywords 0x28 to 0x34, as the parser names them.
constexpr std::string_view kMarks[] = {"(", ")", "[", "]", "<", ">", "."};
constexpr std::string_view kKeywords[] = {"WORD",   "DWORD", "FLOAT",  "DOUBLE",  "CHAR",    "UCHAR", "SWORD",
                                          "SDWORD", "void",  "string", "unicode", "cstring", "array"};

// A token where a number belongs, for messages.
std::string tokenName(uint16_t token) {
    switch (token) {
    case IntegerList:
        return "a list of whole numbers";
    case FloatList:
        return "a list of real numbers";
    case Name:
    case String:
        return "a name";
    case Open:
        return "'{'";
    case Close:
        return "'}'";
    default:
        return "token " + std::to_string(token);
    }
}

} // namespace

XBinaryTokens::XBinaryTokens(std::string_view bytes, size_t floatBytes)
    : bytes_(bytes), floatBytes_(floatBytes), at_(std::min(kHeaderBytes, bytes.size())) {}

std::string_view XBinaryTokens::take(uint64_t count) {
    if (count > bytes_.size() - at_)
        refuse("a token runs past the end of the file");
    const std::string_view taken = bytes_.substr(at_, static_cast<size_t>(count));
    at_ += static_cast<size_t>(count);
    return taken;
}

uint16_t XBinaryTokens::readWord() {
    const std::string_view taken = take(2);
    return static_cast<uint16_t>(static_cast<uint8_t>(taken[0]) | static_cast<uint8_t>(taken[1]) << 8);
}

uint32_t XBinaryTokens::readDword() {
    const std::string_view taken = take(4);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(taken[static_cast<size_t>(i)]);
    return value;
}

// A count, then that many items of itemBytes each.
std::string_view XBinaryTokens::counted(uint64_t itemBytes) {
    return take(readDword() * itemBytes);
}

XToken XBinaryTokens::mark(uint16_t token) const {
    using Kind = XToken::Kind;
    if (token == Open || token == Close)
        return {token == Open ? Kind::Open : Kind::Close, token == Open ? "{" : "}"};
    if (token == Comma || token == Semicolon)
        return {Kind::Separator, token == Comma ? "," : ";"};
    if (token > Open + 1 && token < Comma)
        return {Kind::Mark, kMarks[token - Open - 2]};
    if (token == Template)
        return {Kind::Name, "template"};
    if (token >= FirstKeyword && token <= LastKeyword)
        return {Kind::Name, kKeywords[token - FirstKeyword]};
    refuse("it holds an unknown binary token " + std::to_string(token));
}

XToken XBinaryTokens::next() {
    using Kind = XToken::Kind;
    if (pending_ > 0)
        refuse("a list holds " + std::to_string(pending_) + " numbers more than the mesh's layout reads");
    if (bytes_.size() - at_ < 2)
        return {};
    const uint16_t token = readWord();
    switch (token) {
    case Name:
        return {Kind::Name, counted(1)};
    case String: {
        const std::string_view text = counted(1);
        take(2); // the parser passes over the terminator as two bytes
        return {Kind::Name, text};
    }
    case Integer:
        take(4);
        return {Kind::Number, "<whole number>"};
    case Guid:
        take(16);
        return {Kind::Mark, "<guid>"};
    case IntegerList:
        counted(4);
        return {Kind::Number, "<whole numbers>"};
    case FloatList:
        counted(floatBytes_);
        return {Kind::Number, "<real numbers>"};
    default:
        return mark(token);
    }
}

void XBinaryTokens::startNumbers(uint16_t list) {
    const std::string what = list == IntegerList ? "a whole number" : "a real number";
    if (bytes_.size() - at_ < 2)
        refuse("the file ends where " + what + " belongs");
    const size_t start = at_;
    const uint16_t token = readWord();
    if (token == list) {
        const uint32_t count = readDword();
        if (count == 0)
            refuse("an empty list where " + what + " belongs");
        if (uint64_t{count} * (list == IntegerList ? 4 : floatBytes_) > bytes_.size() - at_)
            refuse("a token runs past the end of the file");
        pending_ = count;
    } else if (token == Integer && list == IntegerList) {
        pending_ = 1;
    } else {
        at_ = start;
        refuse("where " + what + " belongs there is " + tokenName(token));
    }
    pendingList_ = list;
}

// Takes the next value's place in the list being read, or opens the next list of that kind.
void XBinaryTokens::nextValueFrom(uint16_t list) {
    if (pending_ == 0)
        startNumbers(list);
    else if (pendingList_ != list)
        refuse(list == IntegerList ? "a real number where a whole number belongs"
                                   : "a whole number where a real number belongs");
    --pending_;
}

uint64_t XBinaryTokens::whole() {
    nextValueFrom(IntegerList);
    return readDword();
}

double XBinaryTokens::readValue() {
    const std::string_view taken = take(floatBytes_);
    if (floatBytes_ == sizeof(double)) {
        double value = 0;
        std::memcpy(&value, taken.data(), sizeof value);
        return value;
    }
    float value = 0;
    std::memcpy(&value, taken.data(), sizeof value);
    return value;
}

float XBinaryTokens::real() {
    nextValueFrom(FloatList);
    const double value = readValue();
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        refuse("a real number that is not finite or beyond what a float holds");
    return static_cast<float>(value);
}

std::string_view XBinaryTokens::string() {
    const XToken token = next();
    if (token.kind != XToken::Kind::Name)
        refuse("where a name belongs there is something else");
    return token.text;
}

std::string XBinaryTokens::where() const {
    return "byte " + std::to_string(at_);
}

} // namespace qv
