#include "characters/ReplayGoalCourse.h"

namespace qv {

ReplayGoalCourse::ReplayGoalCourse(GraphicsDevice& device, ContentCache& content, SoundSystem& sound,
                                   const Field& field, const Camera& camera, GameState& state,
                                   const std::vector<int32_t>& draws)
    : GoalCourse(device, content, sound, field, camera, state, GoalRecord(0)), draws_(draws) {
    placeNextGoal();
}

int32_t ReplayGoalCourse::nextValue() {
    if (next_ < draws_.size())
        return draws_[next_++];
    return state().random.next();
}

} // namespace qv
