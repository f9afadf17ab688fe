#include "app/TraceReader.h"

#include <fstream>
#include <regex>

namespace qv {

namespace {

const std::string kNumber = R"((-?[0-9.eE+-]+|null))";

std::optional<double> number(const std::string& line, const std::string& key) {
    std::smatch m;
    if (!std::regex_search(line, m, std::regex("\"" + key + "\":" + kNumber)) || m[1] == "null")
        return std::nullopt;
    return std::stod(m[1]);
}

std::optional<Vec3> vec(const std::string& line, const std::string& key) {
    std::smatch m;
    if (!std::regex_search(
            line, m, std::regex("\"" + key + "\":\\[" + kNumber + "," + kNumber + "," + kNumber + "\\]")))
        return std::nullopt;
    return Vec3{std::stof(m[1]), std::stof(m[2]), std::stof(m[3])};
}

bool flag(const std::string& line, const std::string& key) {
    return line.find("\"" + key + "\":true") != std::string::npos;
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
