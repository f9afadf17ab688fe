#include "app/TraceWriter.h"

#include "app/GameDirector.h"
#include "app/GameState.h"
#include "rider/Rider.h"
#include "scene/RacePhase.h"
#include "scene/Scene.h"
#include "world/Camera.h"
#include "world/WaterSurface.h"

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

std::string vec(const Vec3& v) {
    return "[" + number(v.x) + "," + number(v.y) + "," + number(v.z) + "]";
}

std::string rider(const Rider* r) {
    if (!r)
        return "null";
    return "{\"pos\":" + vec(r->position()) + ",\"vel\":" + vec(r->velocity()) +
           ",\"speed\":" + number(r->speed()) + ",\"heading\":" + number(r->heading()) +
           ",\"turnRate\":" + number(r->turnRate()) + ",\"pitch\":" + number(r->pitch()) +
           ",\"roll\":" + number(r->roll()) + ",\"state\":" + std::to_string(static_cast<int>(r->state())) +
           ",\"waterContact\":" + std::to_string(r->waterContact()) + ",\"gauge\":" + number(r->gauge()) +
           "}";
}

std::string camera(const Camera* c) {
    if (!c)
        return "null";
    return "{\"mode\":" + std::to_string(static_cast<int>(c->mode())) + ",\"eye\":" + vec(c->eye()) +
           ",\"lookAt\":" + vec(c->lookAt()) + "}";
}

std::string water(const WaterSurface* w) {
    return w ? number(w->waterLevel()) : "null";
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
    s += ",\"rider\":" + rider(scene ? scene->rider() : nullptr);
    s += ",\"goal\":null,\"score\":null";
    s += ",\"time\":" + remainingTime(scene);
    s += ",\"water\":" + water(scene ? scene->water() : nullptr);
    s += ",\"camera\":" + camera(scene ? scene->camera() : nullptr);
    s += ",\"stageCleared\":" + boolean(state.stageCleared);
    s += "}";
    return s;
}

void TraceWriter::write(uint32_t tick, const GameDirector& director, const GameState& state) {
    out_ << line(tick, director, state) << '\n';
}

} // namespace qv
