#pragma once

#include "characters/GoalCourse.h"
#include "replay/GoalRecord.h"

#include <string>

namespace qv {

// The attract demo's goals: the values recorded in the demo's goal file while they last (the
// recorded ride then finds its goals where it left them), the live generator after that.
class DemoGoalCourse final : public GoalCourse {
  public:
    DemoGoalCourse(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const Field& field,
                   const Camera& camera, GameState& state,
                   const std::string& goalFile = GoalRecord::kDemoFile);

  protected:
    int32_t nextValue() override;
    void keepPair(int32_t, int32_t) override {}
};

} // namespace qv
