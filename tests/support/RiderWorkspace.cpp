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
    field = std::make_unique<Field>(rig.graphics, rig.state, rig.settings);
    water = std::make_unique<WaterSurface>(rig.graphics, rig.state, rig.settings);
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

std::unique_ptr<AttractRider> RiderWorkspace::demoRider() {
    auto rider = std::make_unique<AttractRider>(rig.graphics, rig.sound, *field, *water, rig.state);
    rider->setControlEnabled(true);
    return rider;
}

std::unique_ptr<PlayRider> RiderWorkspace::playRider() {
    return std::make_unique<PlayRider>(rig.graphics, rig.sound, rig.keyboard, *field, *water, rig.state);
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
