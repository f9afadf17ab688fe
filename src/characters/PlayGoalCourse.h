#pragma once

#include "characters/GoalCourse.h"

namespace qv {

// A player's goals: live random values, the accepted pairs recorded; the scene saves the record
// with the run's recording when an endless run ends.
class PlayGoalCourse final : public GoalCourse {
  public:
    PlayGoalCourse(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const Field& field,
                   const Camera& camera, GameState& state);

  protected:
    int32_t nextValue() override;
    void keepPair(int32_t xValue, int32_t zValue) override;
};

} // namespace qv
