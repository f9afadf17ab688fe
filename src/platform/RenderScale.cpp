#include "platform/RenderScale.h"

namespace qv {

void RenderScale::frameTook(double ms) {
    if (settling_ > 0) {
        --settling_;
        return;
    }
    framesOver_ = ms > budgetMs_ ? framesOver_ + 1 : 0;
    roomyFrames_ = roomToStepUp(ms) ? roomyFrames_ + 1 : 0;
    if (framesOver_ >= kFramesOverBeforeStepDown)
        step(+1);
    else if (roomyFrames_ >= kRoomyFramesBeforeStepUp)
        step(-1);
}

// The next level up would take about as much longer as it has more pixels; it must still leave a
// tenth of the budget free, or the picture would bounce between the two levels.
bool RenderScale::roomToStepUp(double ms) const {
    if (level_ == 0)
        return false;
    const double ratio = kLevels[level_ - 1] / kLevels[level_];
    return ms * ratio * ratio < 0.9 * budgetMs_;
}

void RenderScale::step(int direction) {
    if (direction > 0 && level_ + 1 < kLevels.size())
        ++level_;
    else if (direction < 0 && level_ > 0)
        --level_;
    framesOver_ = 0;
    roomyFrames_ = 0;
    settling_ = kFramesToSettle;
}

} // namespace qv
