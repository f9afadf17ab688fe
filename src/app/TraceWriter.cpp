#include "app/TraceWriter.h"

#include "app/GameDirector.h"
#include "characters/GoalCourse.h"
#include "field/WaterSurface.h"
#include "game/GameState.h"
#include "race/RaceClock.h"
#include "race/RaceScore.h"
#include "rider/Rider.h"
#include "scene/RacePhase.h"
#include "scene/Scene.h"
#include "world/Camera.h"

#include <cstdio>

namespace qv {

namespace {

// Appends JSON to one line; every value goes through here so the format stays in one place.
class JsonLine {
  public:
    JsonLine& key(const char* name) {
        out_ += first_ ? "" : ",";
        out_ += '"';
        out_ += name;
        out_ += "\":";
        first_ = false;
        return *this;
    }
    // Enough digits that a single-precision value reads back exactly.
    JsonLine& number(double value) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.9g", value);
        out_ += buf;
        return *this;
    }
    JsonLine& integer(long long value) {
        out_ += std::to_string(value);
        return *this;
    }
    JsonLine& boolean(bool value) {
        out_ += value ? "true" : "false";
        return *this;
    }
    JsonLine& null() {
        out_ += "null";
        return *this;
    }
    JsonLine& vec(const Vec3& v) {
        out_ += '[';
        number(v.x);
        out_ += ',';
        number(v.y);
        out_ += ',';
        number(v.z);
        out_ += ']';
        return *this;
    }
    JsonLine& open() {
        out_ += '{';
        first_ = true;
        return *this;
    }
    JsonLine& close() {
        out_ += '}';
        first_ = false;
        return *this;
    }
    std::string str() const { return out_; }

  private:
    std::string out_;
    bool first_ = true;
};

void writeRider(JsonLine& j, const Rider* r) {
    if (!r) {
        j.null();
        return;
    }
    j.open();
    j.key("pos").vec(r->position()).key("vel").vec(r->velocity()).key("speed").number(r->speed());
    j.key("heading").number(r->heading()).key("turnRate").number(r->turnRate());
    j.key("pitch").number(r->pitch()).key("roll").number(r->roll());
    j.key("state").integer(static_cast<int>(r->state())).key("waterContact").integer(r->waterContact());
    j.key("gauge").number(r->gauge());
    j.close();
}

void writeCamera(JsonLine& j, const Camera* c) {
    if (!c) {
        j.null();
        return;
    }
    j.open();
    j.key("mode")
        .integer(static_cast<int>(c->mode()))
        .key("eye")
        .vec(c->eye())
        .key("lookAt")
        .vec(c->lookAt());
    j.close();
}

} // namespace

TraceWriter::TraceWriter(const std::string& path) : out_(path, std::ios::trunc) {}

std::string TraceWriter::line(uint32_t tick, const GameDirector& director, const GameState& state) {
    const Scene* scene = director.scene();
    JsonLine j;
    j.open();
    j.key("tick").integer(tick).key("director").integer(director.state());
    j.key("phase");
    scene ? j.integer(scene->phaseState()) : j.null();
    j.key("demo")
        .boolean(state.demoMode)
        .key("stage")
        .integer(state.stageNumber)
        .key("mode")
        .integer(static_cast<int32_t>(state.gameMode));
    j.key("rider");
    writeRider(j, scene ? scene->rider() : nullptr);
    j.key("goal");
    scene && scene->goalCourse() ? j.vec(scene->goalCourse()->goalPosition()) : j.null();
    j.key("score");
    scene && scene->raceScore() ? j.integer(scene->raceScore()->score()) : j.null();
    j.key("time");
    const RacePhase* race = scene && scene->phaseState() == Scene::Racing ? scene->racePhase() : nullptr;
    race ? j.number(race->raceClock().remainingTime()) : j.null();
    j.key("water");
    scene && scene->water() ? j.number(scene->water()->waterLevel()) : j.null();
    j.key("camera");
    writeCamera(j, scene ? scene->camera() : nullptr);
    j.key("stageCleared").boolean(state.stageCleared);
    j.close();
    return j.str();
}

void TraceWriter::write(uint32_t tick, const GameDirector& director, const GameState& state) {
    out_ << line(tick, director, state) << '\n';
}

bool TraceWriter::close() {
    if (!out_.is_open())
        return !out_.fail();
    out_.close();
    return !out_.fail();
}

} // namespace qv
