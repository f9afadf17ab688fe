#include "platform/RenderScale.h"

#include <algorithm>

namespace qv {

void RenderScale::frameTook(double ms) {
    if (retryIn_ > 0)
        --retryIn_;
    if (settling_ > 0) {
        --settling_;
        return;
    }
    recent_[recentCount_++ % kJudgedFrames] = ms;
    if (recentCount_ < kJudgedFrames)
        return;
    const double median = recentMedian();
    constexpr size_t kSmallest = kLevels.size() - 1;
    if (smallestMs_ > 0.0) {
        judgeShrinking(median);
    } else if (median > budgetMs_ && level_ < kSmallest && retryIn_ == 0) {
        moveTo(level_ + 1);
    } else if (median > budgetMs_ && level_ == kSmallest && !shrinkingPays_) {
        // Still slow at the smallest size: is it faster than the full size at all?
        smallestMs_ = median;
        moveTo(0);
    } else if (roomToStepUp(median)) {
        shrinkingPays_ = false;
        moveTo(level_ - 1);
    }
}

// Full-size frames, measured right after the smallest ones, against them.
void RenderScale::judgeShrinking(double fullSizeMedian) {
    shrinkingPays_ = smallestMs_ < fullSizeMedian * (1.0 - kLeastGain);
    smallestMs_ = 0.0;
    if (shrinkingPays_)
        moveTo(kLevels.size() - 1);
    else
        retryIn_ = kFramesBeforeRetry;
}

// The next level up would take about as much longer as it has more pixels; it must still leave a
// tenth of the budget free, or the picture would bounce between the two levels.
bool RenderScale::roomToStepUp(double ms) const {
    if (level_ == 0)
        return false;
    const double ratio = kLevels[level_ - 1] / kLevels[level_];
    return ms * ratio * ratio < 0.9 * budgetMs_;
}

double RenderScale::recentMedian() const {
    std::array<double, kJudgedFrames> sorted = recent_;
    std::nth_element(sorted.begin(), sorted.begin() + kJudgedFrames / 2, sorted.end());
    return sorted[kJudgedFrames / 2];
}

// Every step starts the window of recent frames afresh: frames at the old size say nothing
// about the new one.
void RenderScale::moveTo(size_t level) {
    level_ = level;
    recentCount_ = 0;
    settling_ = kFramesToSettle;
}

} // namespace qv
