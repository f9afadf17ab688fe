#include "hud/FrameTimes.h"

#include <algorithm>

namespace qv {

void FrameTimes::frameShown(double atMs) {
    if (lastMs_ && atMs < *lastMs_)
        gaps_.clear();
    else if (lastMs_)
        gaps_.push_back({atMs, atMs - *lastMs_});
    lastMs_ = atMs;
    while (gaps_.size() > 1 && gaps_.front().endMs < atMs - kSpanMs)
        gaps_.pop_front();
}

FrameTimes::Summary FrameTimes::summary() const {
    if (gaps_.empty())
        return {};
    Summary s{0.0, gaps_.front().lengthMs, 0.0, gaps_.front().lengthMs};
    double total = 0.0;
    for (const Gap& gap : gaps_) {
        total += gap.lengthMs;
        s.shortestMs = std::min(s.shortestMs, gap.lengthMs);
        s.longestMs = std::max(s.longestMs, gap.lengthMs);
    }
    s.averageMs = total / static_cast<double>(gaps_.size());
    // Frames shown in no time at all (a clock too coarse to tell them apart) have no rate.
    s.framesPerSecond = total > 0.0 ? 1000.0 / s.averageMs : 0.0;
    return s;
}

} // namespace qv
