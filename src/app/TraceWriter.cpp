#include "app/TraceWriter.h"

#include "app/GameDirector.h"
#include "app/GameState.h"
#include "scene/RacePhase.h"
#include "scene/Scene.h"

#include <cstdio>

namespace qv {

namespace {

// Enough digits that a single-precision value reads back exactly.
std::string number(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    return buf;
}

std::string boolean(bool value) {
    return value ? "true" : "false";
}

std::string remainingTime(const Scene* scene) {
    if (!scene || scene->phaseState() != Scene::Racing || !scene->racePhase())
        return "null";
    return number(scene->racePhase()->remainingTime());
}

} // namespace

TraceWriter::TraceWriter(const std::string& path) : out_(path, std::ios::trunc) {}

std::string TraceWriter::line(uint32_t tick, const GameDirector& director, const GameState& state) {
    const Scene* scene = director.scene();
    std::string s = "{\"tick\":" + std::to_string(tick);
    s += ",\"director\":" + std::to_string(director.state());
    s += ",\"phase\":" + (scene ? std::to_string(scene->phaseState()) : std::string("null"));
    s += ",\"demo\":" + boolean(state.demoMode);
    s += ",\"stage\":" + std::to_string(state.stageNumber);
    s += ",\"mode\":" + std::to_string(state.gameMode);
    s += ",\"rider\":null,\"goal\":null,\"score\":null";
    s += ",\"time\":" + remainingTime(scene);
    s += ",\"water\":null,\"camera\":null";
    s += ",\"stageCleared\":" + boolean(state.stageCleared);
    s += "}";
    return s;
}

void TraceWriter::write(uint32_t tick, const GameDirector& director, const GameState& state) {
    out_ << line(tick, director, state) << '\n';
}

} // namespace qv
