#include "app/TraceReader.h"

#include <array>
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

std::optional<double> number(std::string_view line, const std::string& key) {
    std::optional<std::string_view> text = firstValue(line, key, [line](size_t at) {
        const std::string_view value = numberAt(line, at);
        return value.empty() ? std::nullopt : std::optional<std::string_view>(value);
    });
    if (!text || *text == kNull)
        return std::nullopt;
    return std::stod(std::string(*text));
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
    return Vec3{std::stof((*parts)[0]), std::stof((*parts)[1]), std::stof((*parts)[2])};
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
        t.tick = static_cast<int>(number(line, "tick").value_or(0));
        t.director = static_cast<int>(number(line, "director").value_or(-1));
        if (auto phase = number(line, "phase"))
            t.phase = static_cast<int>(*phase);
        t.demo = flag(line, "demo");
        t.stage = static_cast<int>(number(line, "stage").value_or(0));
        t.mode = static_cast<int>(number(line, "mode").value_or(0));
        t.riderPos = vec(line, "pos");
        if (auto speed = number(line, "speed"))
            t.riderSpeed = static_cast<float>(*speed);
        if (auto state = number(line, "state"))
            t.riderState = static_cast<int>(*state);
        t.goal = vec(line, "goal");
        if (auto score = number(line, "score"))
            t.score = static_cast<long>(*score);
        t.time = number(line, "time");
        t.water = number(line, "water");
        t.stageCleared = flag(line, "stageCleared");
        ticks.push_back(t);
    }
    return ticks;
}

} // namespace qv
