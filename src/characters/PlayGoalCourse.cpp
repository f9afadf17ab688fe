#include "characters/PlayGoalCourse.h"

namespace qv {

PlayGoalCourse::PlayGoalCourse(GraphicsDevice& device, SoundSystem& sound, const Field& field,
                               ScoreBoard& scoreBoard, const Camera& camera, GameState& state)
    : GoalCourse(device, sound, field, scoreBoard, camera, state, GoalRecord(0)) {
    placeNextGoal();
}

PlayGoalCourse::~PlayGoalCourse() {
    // Stage runs are never replayed. The score board set the flag when the run beat the high score.
    if (state().stageNumber != 0)
        return;
    record().save(state().newHighScore ? GoalRecord::kDemoFile : GoalRecord::kReplayFile);
}

int32_t PlayGoalCourse::nextValue() {
    return state().random.next();
}

void PlayGoalCourse::keepPair(int32_t xValue, int32_t zValue) {
    editRecord().store(xValue);
    editRecord().store(zValue);
}

} // namespace qv
