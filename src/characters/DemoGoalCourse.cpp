#include "characters/DemoGoalCourse.h"

namespace qv {

namespace {

// -1 marks the end of the replay; a missing or short file leaves (the rest of) it there.
GoalRecord demoRecord(const std::string& goalFile) {
    GoalRecord record(-1);
    record.load(goalFile);
    return record;
}

} // namespace

DemoGoalCourse::DemoGoalCourse(GraphicsDevice& device, ContentCache& content, SoundSystem& sound,
                               const Field& field, const Camera& camera, GameState& state,
                               const std::string& goalFile)
    : GoalCourse(device, content, sound, field, camera, state, demoRecord(goalFile)) {
    placeNextGoal();
}

int32_t DemoGoalCourse::nextValue() {
    if (const auto recorded = editRecord().nextRecorded())
        return *recorded;
    return state().random.next();
}

} // namespace qv
