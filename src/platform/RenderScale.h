#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qv {

// How finely the 3D picture is drawn, chosen from how long frames take, so the game keeps its
// frame rate on a weak GPU. When most of the last half second of frames ran over the budget the
// picture steps down to fewer pixels (the overlay stays sharp: it is drawn at full size on top);
// when they had room for a bigger picture it steps back up. Each step changes the pixel count by
// about a fifth, small enough to go unnoticed and large enough to matter. Medians, not single
// frames, decide: a software rasterizer's frame times scatter by a third.
//
// Shrinking must pay: the smaller 3D part is enlarged into the picture, a pass of its own, so
// the first steps can cost more than they save. When frames are still slow at the smallest size,
// a half second at full size tells whether the smallest picture is clearly faster; if not, the 3D
// picture is not what makes frames slow (scaling a small back buffer up to a big screen, say),
// and the full size stays for a while.
class RenderScale {
  public:
    static constexpr std::array<float, 6> kLevels{1.0f, 0.9f, 0.8f, 0.7f, 0.6f, 0.5f};
    // Frames whose median decides a step: half a second.
    static constexpr size_t kJudgedFrames = 30;
    // A step takes effect with the next frame and is measured a frame or two later.
    static constexpr int kFramesToSettle = 4;
    // The share of the full-size frame time the smallest picture must save to be kept.
    static constexpr double kLeastGain = 0.2;
    // How long the full size is kept after shrinking did not pay: about a minute.
    static constexpr int kFramesBeforeRetry = 3600;

    explicit RenderScale(double budgetMs) : budgetMs_(budgetMs) {}

    // Takes how long one frame took, from its first command until it was finished.
    void frameTook(double ms);
    float scale() const { return kLevels[level_]; }

  private:
    void judgeShrinking(double fullSizeMedian);
    void moveTo(size_t level);
    bool roomToStepUp(double ms) const;
    double recentMedian() const;

    double budgetMs_;
    size_t level_ = 0;
    int retryIn_ = 0; // frames until shrinking is worth trying again
    int settling_ = 0;
    std::array<double, kJudgedFrames> recent_{}; // the last frames' times, oldest overwritten
    size_t recentCount_ = 0;
    double smallestMs_ = 0.0;    // the median at the smallest size while full size is tried, else 0
    bool shrinkingPays_ = false; // found so since the picture last grew
};

} // namespace qv
