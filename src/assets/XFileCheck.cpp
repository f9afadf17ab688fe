#include "assets/XFileCheck.h"

#include <cctype>
#include <cstring>

namespace qv {

namespace {

constexpr size_t kHeaderBytes = 16; // "xof 0303txt 0032"
constexpr size_t kFormatOffset = 8;

std::string tooLarge(uint64_t value, size_t limit) {
    return "it states a count of " + std::to_string(value) + " where the file can hold at most " +
           std::to_string(limit);
}

bool isNumberCharacter(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' ||
           c == 'E';
}

bool isNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
}

// The position after the run of characters the test accepts from at on.
template <typename Test> size_t skipWhile(std::string_view text, size_t at, Test test) {
    while (at < text.size() && test(text[at]))
        ++at;
    return at;
}

size_t skipPast(std::string_view text, size_t at, char end) {
    const size_t found = text.find(end, at);
    return found == std::string_view::npos ? text.size() : found + 1;
}

// A whole number (no point, no exponent) must be a count the file can hold; a negative one is
// no count at all. Real numbers are data and are not looked at.
std::string numberProblem(std::string_view token, size_t limit) {
    const bool negative = token.front() == '-';
    const std::string_view digits = negative || token.front() == '+' ? token.substr(1) : token;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return {};
    if (negative && digits.find_first_not_of('0') != std::string_view::npos)
        return "it states a negative whole number, " + std::string(token);
    if (digits.size() > 18)
        return "it states a whole number of " + std::to_string(digits.size()) + " digits";
    uint64_t value = 0;
    for (const char d : digits)
        value = value * 10 + static_cast<uint64_t>(d - '0');
    return value > limit ? tooLarge(value, limit) : std::string();
}

std::string textProblem(std::string_view text, size_t limit) {
    size_t at = kHeaderBytes;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '"') {
            at = skipPast(text, at + 1, '"');
        } else if (c == '<') {
            at = skipPast(text, at + 1, '>'); // a template's GUID
        } else if (c == '#' || (c == '/' && at + 1 < text.size() && text[at + 1] == '/')) {
            at = skipPast(text, at, '\n');
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            at = skipWhile(text, at, isNameCharacter);
        } else if (isNumberCharacter(c)) {
            const size_t end = skipWhile(text, at, isNumberCharacter);
            if (std::string problem = numberProblem(text.substr(at, end - at), limit); !problem.empty())
                return problem;
            at = end;
        } else {
            ++at;
        }
    }
    return {};
}

// Braces, brackets and the other punctuation (0x0A-0x14), and the words of templates (0x1F-0x34).
bool isBinaryMark(uint16_t token) {
    return (token >= 0x0A && token <= 0x14) || (token >= 0x1F && token <= 0x34);
}

uint32_t word(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

// Binary tokens: names and strings carry their length, lists their count of 4- or 8-byte
// numbers; each must fit in what is left of the file, and every whole number must be a count
// the file can hold.
std::string binaryProblem(std::string_view bytes, size_t limit, size_t floatBytes) {
    enum : uint16_t { Name = 1, String = 2, Integer = 3, Guid = 5, IntegerList = 6, FloatList = 7 };
    size_t at = kHeaderBytes;
    auto take = [&](uint64_t size) {
        if (size > bytes.size() - at)
            return false;
        at += static_cast<size_t>(size);
        return true;
    };
    const std::string cut = "a token runs past the end of the file";
    while (bytes.size() - at >= 2) {
        uint16_t token = 0;
        std::memcpy(&token, bytes.data() + at, sizeof token);
        at += 2;
        const bool counted = token == Name || token == String || token == IntegerList || token == FloatList;
        if (counted && bytes.size() - at < 4)
            return cut;
        const uint64_t count = counted ? word(bytes, at) : 0;
        if (counted)
            at += 4;
        if (token == Integer || token == IntegerList) {
            const uint64_t values = token == Integer ? 1 : count;
            if (values > (bytes.size() - at) / 4)
                return cut;
            for (uint64_t i = 0; i < values; ++i, at += 4)
                if (word(bytes, at) > limit)
                    return tooLarge(word(bytes, at), limit);
        } else if (token == Name || token == String) {
            if (!take(count + (token == String ? 4 : 0)))
                return cut;
        } else if (token == FloatList) {
            if (count > (bytes.size() - at) / floatBytes || !take(count * floatBytes))
                return cut;
        } else if (token == Guid && !take(16)) {
            return cut;
        } else if (!counted && token != Integer && token != Guid && !isBinaryMark(token)) {
            return "it holds an unknown binary token " + std::to_string(token);
        }
    }
    return {};
}

} // namespace

std::string xFileProblem(std::string_view bytes) {
    if (bytes.size() < kHeaderBytes)
        return "it is too short for a mesh";
    const std::string_view format = bytes.substr(kFormatOffset, 4);
    const std::string_view floatSize = bytes.substr(12, 4);
    const size_t limit = bytes.size() / 2;
    if (format == "txt ")
        return textProblem(bytes, limit);
    if (format == "bin ")
        return binaryProblem(bytes, limit, floatSize == "0064" ? 8 : 4);
    return "its format \"" + std::string(format) + "\" is not text or binary";
}

} // namespace qv
