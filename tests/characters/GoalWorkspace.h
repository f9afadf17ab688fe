#pragma once

#include "characters/DemoGoalCourse.h"
#include "characters/PlayGoalCourse.h"
#include "support/RiderWorkspace.h"
#include "world/Camera.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace qv::test {

struct GridSpot {
    int x;
    int z;
};

// A plateau too high for goals with a shallow dip around each spot: exactly the four cells
// around a spot are goal cells, so placements land where the test wants them.
Heights dipField(std::initializer_list<GridSpot> spots);
// Hills with water, peaks and steep flanks: every rule of the placement gets to reject.
Heights rollingHills();

// The real components a goal course is built from: field, water, a demo rider (replaying the
// given ride) and the camera.
class GoalWorkspace {
  public:
    explicit GoalWorkspace(const Heights& heights, const std::vector<ControlRecord>& ride = {});

    std::unique_ptr<PlayGoalCourse> playCourse();
    std::unique_ptr<DemoGoalCourse> demoCourse();
    // The bytes of a goal file holding these values.
    static std::string goalFile(std::initializer_list<int32_t> values);

    RiderWorkspace ws;
    GameState& state = ws.rig.state;
    std::unique_ptr<Rider> rider;
    std::unique_ptr<Camera> camera;
};

} // namespace qv::test
