#pragma once

#include "characters/GoalCourse.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// A replay's goals: placed by the values the recorded run accepted, in order, so each one
// passes at once where it passed then; past the end of them, drawn as a player's are.
class ReplayGoalCourse : public GoalCourse {
  public:
    // The draws must outlive this.
    ReplayGoalCourse(GraphicsDevice& device, ContentCache& content, SoundSystem& sound, const Field& field,
                     const Camera& camera, GameState& state, const std::vector<int32_t>& draws);

  protected:
    int32_t nextValue() override;
    void keepPair(int32_t, int32_t) override {}

  private:
    const std::vector<int32_t>& draws_;
    size_t next_ = 0;
};

} // namespace qv
