#include "assets/XTextTokens.h"

#include "core/Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace qv {

namespace {

constexpr size_t kHeaderBytes = 16;
constexpr size_t kMostDigits = 18; // any whole number of more is far beyond what a file can count

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool isDelimiter(char c) {
    return c == ';' || c == ',' || c == '{' || c == '}';
}

XToken::Kind delimiterKind(char c) {
    return c == '{' ? XToken::Kind::Open : c == '}' ? XToken::Kind::Close : XToken::Kind::Separator;
}

// Exporters write a NaN as one of these; the parser reads them as 0 and skips a fixed width.
bool startsWithNotANumber(std::string_view text) {
    for (const std::string_view nan : {"-1.#IND00", "1.#IND00", "1.#QNAN0"})
        if (text.substr(0, nan.size()) == nan)
            return true;
    return false;
}

// The parser's digit reader gives up on a run of digits whose value wraps past 64 bits (as far
// as it notices) and leaves its place unmoved, so the number's digits are then read as the
// separator that must follow it.
bool readerGivesUpOn(std::string_view digits) {
    uint64_t value = 0;
    for (const char d : digits) {
        const uint64_t next = value * 10 + static_cast<uint64_t>(d - '0');
        if (next < value)
            return true;
        value = next;
    }
    return false;
}

bool startsWithInfinityOrNan(std::string_view text) {
    const std::string_view letters = text.substr(0, 3);
    return equalsIgnoreCase(letters, "nan") || equalsIgnoreCase(letters, "inf");
}

} // namespace

XTextTokens::XTextTokens(std::string_view text) : text_(text), at_(std::min(kHeaderBytes, text.size())) {
    // The parser passes over whatever else stands on the header's line.
    while (at_ < text_.size() && text_[at_] != '\n' && text_[at_] != '\r')
        ++at_;
    if (at_ < text_.size())
        ++at_;
}

char XTextTokens::at(size_t index) const {
    return index < text_.size() ? text_[index] : '\0';
}

bool XTextTokens::digitAt(size_t index) const {
    return std::isdigit(static_cast<unsigned char>(at(index))) != 0;
}

size_t XTextTokens::digitsFrom(size_t index) const {
    while (digitAt(index))
        ++index;
    return index;
}

bool XTextTokens::startsComment() const {
    return at(at_) == '#' || (at(at_) == '/' && at(at_ + 1) == '/');
}

void XTextTokens::skipBlanks() {
    for (;;) {
        while (at_ < text_.size() && isSpace(text_[at_]))
            ++at_;
        if (at_ >= text_.size() || !startsComment())
            return;
        while (at_ < text_.size() && text_[at_] != '\n' && text_[at_] != '\r')
            ++at_;
    }
}

std::string XTextTokens::shown(size_t from) const {
    if (from >= text_.size())
        return "the end of the file";
    size_t end = from + 1;
    while (end < text_.size() && !isSpace(text_[end]))
        ++end;
    return quotedPiece(text_.substr(from, end - from));
}

XToken XTextTokens::next() {
    skipBlanks();
    if (at_ >= text_.size())
        return {};
    const size_t start = at_;
    if (isDelimiter(text_[at_]))
        return {delimiterKind(text_[at_++]), text_.substr(start, 1)};
    while (at_ < text_.size() && !isSpace(text_[at_]) && !isDelimiter(text_[at_]))
        ++at_;
    const char first = text_[start];
    const bool number =
        std::isdigit(static_cast<unsigned char>(first)) || first == '-' || first == '+' || first == '.';
    return {number ? XToken::Kind::Number : XToken::Kind::Name, text_.substr(start, at_ - start)};
}

uint64_t XTextTokens::whole() {
    skipBlanks();
    const size_t start = at_;
    const bool negative = at(at_) == '-';
    const size_t first = at_ + (negative ? 1 : 0);
    const size_t end = digitsFrom(first);
    if (end == first)
        refuse("where a whole number belongs there is " + shown(start));
    if (at(end) == '.' || at(end) == 'e' || at(end) == 'E')
        refuse("where a whole number belongs there is a real number, " + shown(start));
    const std::string_view digits = text_.substr(first, end - first);
    const bool zero = digits.find_first_not_of('0') == std::string_view::npos;
    if (negative && !zero)
        refuse("it states a negative whole number, " + std::string(text_.substr(start, end - start)));
    if (digits.size() > kMostDigits)
        refuse("it states a whole number of " + std::to_string(digits.size()) + " digits");
    uint64_t value = 0;
    for (const char d : digits)
        value = value * 10 + static_cast<uint64_t>(d - '0');
    at_ = end;
    separator();
    return value;
}

// The end of the real number at at_, read as the parser's fast_atoreal_move reads it: a sign,
// digits, a point and digits (or a point alone after digits), an exponent.
size_t XTextTokens::realEnd() {
    size_t end = at_;
    if (at(end) == '+' || at(end) == '-')
        ++end;
    if (startsWithInfinityOrNan(text_.substr(std::min(end, text_.size()))))
        refuse("a real number that is not finite, " + shown(at_));
    const bool leadingDigits = digitAt(end);
    if (!leadingDigits && !(at(end) == '.' && digitAt(end + 1)))
        refuse("where a real number belongs there is " + shown(at_));
    const size_t digits = end;
    end = digitsFrom(end);
    if (readerGivesUpOn(text_.substr(digits, end - digits)))
        refuse("a real number of more digits than the reader takes, " + shown(at_));
    // The parser takes a comma right after the digits as a decimal point: "1,5" is one number to
    // it, and the numbers after it would be read out of step.
    if (leadingDigits && at(end) == ',' && digitAt(end + 1))
        refuse("a real number runs into a decimal comma, " + shown(at_));
    if (at(end) == '.')
        end = digitsFrom(end + 1);
    if (at(end) == 'e' || at(end) == 'E') {
        ++end;
        if (at(end) == '+' || at(end) == '-')
            ++end;
        const size_t exponent = end;
        end = digitsFrom(end);
        if (end == exponent || readerGivesUpOn(text_.substr(exponent, end - exponent)))
            refuse("a real number's exponent is not one the reader takes, " + shown(at_));
    }
    return end;
}

float XTextTokens::real() {
    skipBlanks();
    if (startsWithNotANumber(text_.substr(at_)))
        refuse("a real number that is not finite, " + shown(at_));
    const size_t end = realEnd();
    const size_t first = at(at_) == '+' ? at_ + 1 : at_;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(text_.data() + first, text_.data() + end, value);
    if (error != std::errc() || stop != text_.data() + end ||
        std::fabs(value) > std::numeric_limits<float>::max())
        refuse("a real number beyond what a float holds, " + shown(at_));
    at_ = end;
    separator();
    return static_cast<float>(value);
}

void XTextTokens::optionalSeparator() {
    skipBlanks();
    if (at(at_) == ',' || at(at_) == ';')
        ++at_;
}

void XTextTokens::separator() {
    const size_t start = at_;
    if (next().kind != XToken::Kind::Separator) {
        at_ = start;
        skipBlanks();
        refuse("a ',' or ';' must follow a number, there is " + shown(at_));
    }
}

void XTextTokens::semicolon() {
    const size_t start = at_;
    if (next().text != ";") {
        at_ = start;
        skipBlanks();
        refuse("a ';' belongs here, there is " + shown(at_));
    }
}

std::string_view XTextTokens::string() {
    skipBlanks();
    if (at(at_) != '"')
        refuse("where a quoted name belongs there is " + shown(at_));
    const size_t close = text_.find('"', at_ + 1);
    if (close == std::string_view::npos || at(close + 1) != ';')
        refuse("a quoted name must end in \";\"");
    const std::string_view content = text_.substr(at_ + 1, close - at_ - 1);
    at_ = close + 2;
    return content;
}

std::string XTextTokens::where() const {
    const size_t end = std::min(at_, text_.size());
    return "line " + std::to_string(1 + std::count(text_.begin(), text_.begin() + end, '\n'));
}

} // namespace qv
