#pragma once

#include "characters/GoalCourse.h"

namespace qv {

// A player's goals: live random values, the accepted pairs recorded. An endless run leaves its
// record as the next demo's goal file when it set a new high score, else as the replay's.
class PlayGoalCourse final : public GoalCourse {
  public:
    PlayGoalCourse(GraphicsDevice& device, SoundSystem& sound, const Field& field, ScoreBoard& scoreBoard,
                   const Camera& camera, GameState& state);
    ~PlayGoalCourse() override;

  protected:
    int32_t nextValue() override;
    void keepPair(int32_t xValue, int32_t zValue) override;
};

} // namespace qv
