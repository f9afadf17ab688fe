#include "support/RiderWorkspace.h"

#include "core/FilePaths.h"

#include <bit>
#include <filesystem>

namespace qv::test {

RiderWorkspace::RiderWorkspace(const std::string& keyScript) : rig(keyScript) {
    rig.dir.write("Pedalon.ini", "[PERFORMANCE]\nGROUNDTEXTURE=0\n");
}

void RiderWorkspace::buildWorld(const Heights& heights) {
    rig.writeField(heights);
    field = std::make_unique<Field>(rig.graphics, rig.content, rig.state, rig.options());
    water = std::make_unique<WaterSurface>(rig.graphics, rig.state, rig.options());
}

void RiderWorkspace::writeDemo(const std::vector<ControlRecord>& records) const {
    rig.dir.write("Data/demo.dat", std::string(reinterpret_cast<const char*>(records.data()),
                                               records.size() * sizeof(ControlRecord)));
}

std::string RiderWorkspace::readFile(const std::string& name) const {
    std::string bytes;
    qv::readFile(rig.dir.file(name), bytes);
    return bytes;
}

bool RiderWorkspace::exists(const std::string& name) const {
    return std::filesystem::exists(rig.dir.path() / name);
}

std::unique_ptr<Rider> RiderWorkspace::demoRider() {
    playback = std::make_unique<DemoPlayback>();
    auto rider = std::make_unique<Rider>(rig.graphics, rig.content, rig.sound, *playback, *field, *water);
    rider->setControlEnabled(true);
    return rider;
}

std::unique_ptr<Rider> RiderWorkspace::playRider() {
    recorder = std::make_unique<KeyboardRecorder>(rig.keyboard);
    return std::make_unique<Rider>(rig.graphics, rig.content, rig.sound, *recorder, *field, *water);
}

std::vector<ControlRecord> repeat(const ControlRecord& record, size_t count) {
    return std::vector<ControlRecord>(count, record);
}

void append(std::vector<ControlRecord>& records, const ControlRecord& record, size_t count) {
    records.insert(records.end(), count, record);
}

ControlRecord pedalling(float steer) {
    ControlRecord record;
    record.pedal = 1;
    record.steer = steer;
    return record;
}

} // namespace qv::test
