#include "characters/PlayGoalCourse.h"

namespace qv {

PlayGoalCourse::PlayGoalCourse(GraphicsDevice& device, ContentCache& content, SoundSystem& sound,
                               const Field& field, const Camera& camera, GameState& state)
    : GoalCourse(device, content, sound, field, camera, state, GoalRecord(0)) {
    placeNextGoal();
}

int32_t PlayGoalCourse::nextValue() {
    return state().random.next();
}

void PlayGoalCourse::keepPair(int32_t xValue, int32_t zValue) {
    editRecord().store(xValue);
    editRecord().store(zValue);
}

} // namespace qv
