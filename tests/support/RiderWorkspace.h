#pragma once

#include "field/Field.h"
#include "rider/AttractRider.h"
#include "replay/ControlRecord.h"
#include "rider/PlayRider.h"
#include "support/HeadlessRig.h"
#include "field/WaterSurface.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv::test {

// The headless rig with a field file the test shapes, from which the real Field and
// WaterSurface are built, and riders on it.
class RiderWorkspace {
  public:
    explicit RiderWorkspace(const std::string& keyScript = "");

    // Writes Data/Field0.dat and builds the field and the water from it.
    void buildWorld(const Heights& heights);
    // Writes the attract demo's recording, records back to back.
    void writeDemo(const std::vector<ControlRecord>& records) const;
    void writeFile(const std::string& name, const std::string& bytes) const { rig.dir.write(name, bytes); }
    std::string readFile(const std::string& name) const;
    bool exists(const std::string& name) const;

    // A demo rider replaying Data/demo.dat, its control switched on as the race begins.
    std::unique_ptr<AttractRider> demoRider();
    std::unique_ptr<PlayRider> playRider();

    HeadlessRig rig;
    std::unique_ptr<Field> field;
    std::unique_ptr<WaterSurface> water;
};

// Records for a scripted ride: `count` copies of one record.
std::vector<ControlRecord> repeat(const ControlRecord& record, size_t count);
void append(std::vector<ControlRecord>& records, const ControlRecord& record, size_t count);

ControlRecord pedalling(float steer = 0.0f);

} // namespace qv::test
