#pragma once

#include "field/Field.h"
#include "field/WaterSurface.h"
#include "replay/ControlRecord.h"
#include "replay/DemoPlayback.h"
#include "replay/KeyboardRecorder.h"
#include "rider/Rider.h"
#include "support/HeadlessRig.h"

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
    std::unique_ptr<Rider> demoRider();
    // A player's rider on the rig's keyboard, recorded by `recorder`.
    std::unique_ptr<Rider> playRider();

    HeadlessRig rig;
    std::unique_ptr<Field> field;
    std::unique_ptr<WaterSurface> water;
    // The control sources of the riders made last; they outlive the riders that read them.
    std::unique_ptr<DemoPlayback> playback;
    std::unique_ptr<KeyboardRecorder> recorder;
};

// Records for a scripted ride: `count` copies of one record.
std::vector<ControlRecord> repeat(const ControlRecord& record, size_t count);
void append(std::vector<ControlRecord>& records, const ControlRecord& record, size_t count);

ControlRecord pedalling(float steer = 0.0f);

} // namespace qv::test
