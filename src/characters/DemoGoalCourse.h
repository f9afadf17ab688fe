#pragma once

#include "characters/GoalCourse.h"

namespace qv {

// The attract demo's goals: the values recorded in the demo's goal file while they last (the
// recorded ride then finds its goals where it left them), the live generator after that.
class DemoGoalCourse final : public GoalCourse {
  public:
    DemoGoalCourse(GraphicsDevice& device, SoundSystem& sound, const Field& field, const Camera& camera,
                   GameState& state);

  protected:
    int32_t nextValue() override;
    void keepPair(int32_t, int32_t) override {}
};

} // namespace qv
