#include "GoalWorkspace.h"

#include <cmath>
#include <cstdlib>

namespace qv::test {

Heights dipField(std::initializer_list<GridSpot> spots) {
    std::vector<GridSpot> dips(spots);
    return [dips](int i, int j) {
        for (const GridSpot& spot : dips)
            if (std::abs(i - spot.x) <= 1 && std::abs(j - spot.z) <= 1)
                return 2.7f;
        return 3.0f;
    };
}

Heights rollingHills() {
    return [](int i, int j) { return 1.6f + 2.0f * std::sin(i * 0.31f) * std::cos(j * 0.23f); };
}

GoalWorkspace::GoalWorkspace(const Heights& heights, const std::vector<ControlRecord>& ride) {
    ws.buildWorld(heights);
    ws.writeDemo(ride);
    rider = ws.demoRider();
    camera = std::make_unique<Camera>(ws.rig.graphics, ws.rig.keyboard, *rider, *ws.field, state);
}

std::unique_ptr<PlayGoalCourse> GoalWorkspace::playCourse() {
    return std::make_unique<PlayGoalCourse>(ws.rig.graphics, ws.rig.content, ws.rig.sound, *ws.field, *camera,
                                            state);
}

std::unique_ptr<DemoGoalCourse> GoalWorkspace::demoCourse() {
    return std::make_unique<DemoGoalCourse>(ws.rig.graphics, ws.rig.content, ws.rig.sound, *ws.field, *camera,
                                            state);
}

std::string GoalWorkspace::goalFile(std::initializer_list<int32_t> values) {
    std::string bytes;
    for (int32_t value : values)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> shift) & 0xFF));
    return bytes;
}

} // namespace qv::test
