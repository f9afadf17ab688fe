#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qv {

// How finely the 3D picture is drawn, chosen from how long frames take, so the game keeps its
// frame rate on a weak GPU. When frames keep running over the budget the picture steps down to
// fewer pixels (the overlay stays sharp: it is drawn at full size on top); when frames have long
// had room for a bigger picture it steps back up. Each step changes the pixel count by about a
// fifth, small enough to go unnoticed and large enough to matter.
class RenderScale {
  public:
    static constexpr std::array<float, 6> kLevels{1.0f, 0.9f, 0.8f, 0.7f, 0.6f, 0.5f};
    static constexpr int kFramesOverBeforeStepDown = 3;
    static constexpr int kRoomyFramesBeforeStepUp = 60; // one second of frames
    // A step takes effect with the next frame and is measured a frame or two later.
    static constexpr int kFramesToSettle = 4;

    explicit RenderScale(double budgetMs) : budgetMs_(budgetMs) {}

    // Takes how long one frame took, from its first command until it was finished.
    void frameTook(double ms);
    float scale() const { return kLevels[level_]; }

  private:
    void step(int direction);
    bool roomToStepUp(double ms) const;

    double budgetMs_;
    size_t level_ = 0;
    int framesOver_ = 0;
    int roomyFrames_ = 0;
    int settling_ = 0;
};

} // namespace qv
