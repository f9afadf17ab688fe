#include "app/TraceReader.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string_view>

namespace qv {

namespace {

// A value is the longest run of these characters after "key": (or the word null). Scanned by
// hand: a run's trace has tens of thousands of lines, and a regular expression per key and line
// made reading one take minutes in a sanitizer build.
constexpr std::string_view kNumberChars = "0123456789.eE+-";
constexpr std::string_view kNull = "null";

// The value text at `at`: a run of number characters, "null", or empty when neither starts there.
std::string_view numberAt(std::string_view line, size_t at) {
    if (line.substr(at, kNull.size()) == kNull)
        return kNull;
    const size_t end = line.find_first_not_of(kNumberChars, at);
    return line.substr(at, (end == std::string_view::npos ? line.size() : end) - at);
}

// Each place where "key": appears, in order, until `parse` accepts what follows one.
template <typename Parse> auto firstValue(std::string_view line, const std::string& key, Parse parse) {
    const std::string tag = "\"" + key + "\":";
    for (size_t at = line.find(tag); at != std::string_view::npos; at = line.find(tag, at + 1)) {
        if (auto value = parse(at + tag.size()))
            return value;
    }
    return decltype(parse(size_t{}))();
}

// The whole text as a finite number; nothing for "-", "1e999" and the like a damaged line holds.
std::optional<double> parsed(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// An integer field as an int; nothing when it is no number or lies outside int's range.
std::optional<int> whole(std::optional<double> value) {
    constexpr double kLimit = 2147483647.0;
    if (!value || *value < -kLimit || *value > kLimit)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<double> number(std::string_view line, const std::string& key) {
    std::optional<std::string_view> text = firstValue(line, key, [line](size_t at) {
        const std::string_view value = numberAt(line, at);
        return value.empty() ? std::nullopt : std::optional<std::string_view>(value);
    });
    if (!text || *text == kNull)
        return std::nullopt;
    return parsed(*text);
}

// Three numbers in brackets: [x,y,z].
std::optional<Vec3> vec(std::string_view line, const std::string& key) {
    using Parts = std::optional<std::array<std::string, 3>>;
    const Parts parts = firstValue(line, key, [line](size_t at) -> Parts {
        std::array<std::string, 3> part;
        for (size_t i = 0; i < 3; ++i) {
            if (at >= line.size() || line[at] != (i == 0 ? '[' : ','))
                return std::nullopt;
            const std::string_view value = numberAt(line, at + 1);
            if (value.empty())
                return std::nullopt;
            part[i] = std::string(value);
            at += 1 + value.size();
        }
        if (at >= line.size() || line[at] != ']')
            return std::nullopt;
        return part;
    });
    if (!parts)
        return std::nullopt;
    const auto x = parsed((*parts)[0]), y = parsed((*parts)[1]), z = parsed((*parts)[2]);
    if (!x || !y || !z)
        return std::nullopt;
    return Vec3{static_cast<float>(*x), static_cast<float>(*y), static_cast<float>(*z)};
}

bool flag(std::string_view line, const std::string& key) {
    return line.find("\"" + key + "\":true") != std::string_view::npos;
}

} // namespace

std::vector<TraceTick> readTrace(const std::string& path) {
    std::ifstream in(path);
    std::vector<TraceTick> ticks;
    for (std::string line; std::getline(in, line);) {
        TraceTick t;
        t.tick = whole(number(line, "tick")).value_or(0);
        t.director = whole(number(line, "director")).value_or(-1);
        t.phase = whole(number(line, "phase"));
        t.demo = flag(line, "demo");
        t.stage = whole(number(line, "stage")).value_or(0);
        t.mode = whole(number(line, "mode")).value_or(0);
        t.riderPos = vec(line, "pos");
        if (auto speed = number(line, "speed"))
            t.riderSpeed = static_cast<float>(*speed);
        t.riderState = whole(number(line, "state"));
        t.goal = vec(line, "goal");
        if (auto score = number(line, "score"); score && std::fabs(*score) < 9.0e18)
            t.score = static_cast<long>(*score);
        t.time = number(line, "time");
        t.water = number(line, "water");
        t.stageCleared = flag(line, "stageCleared");
        ticks.push_back(t);
    }
    return ticks;
}

} // namespace qv
