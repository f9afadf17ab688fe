#include "hud/FpsDisplay.h"

#include <cstdio>

namespace qv {

FpsDisplay::Lines FpsDisplay::linesFor(const FrameTimes::Summary& summary) {
    std::array<char, 96> rate{};
    std::array<char, 96> times{};
    std::snprintf(rate.data(), rate.size(), "%.1f fps", summary.framesPerSecond);
    std::snprintf(times.data(), times.size(), "min %.1f  avg %.1f  max %.1f ms", summary.shortestMs,
                  summary.averageMs, summary.longestMs);
    return {OverlayText::decode(rate.data()), OverlayText::decode(times.data())};
}

void FpsDisplay::draw(OverlayText& text, const FrameTimes& times, double nowMs) {
    if (!takenAtMs_ || nowMs - *takenAtMs_ >= kRefreshMs || nowMs < *takenAtMs_) {
        lines_ = linesFor(times.summary());
        takenAtMs_ = nowMs;
    }
    const float width = OverlayText::panelSize(lines_).x;
    text.draw(lines_, {kRight - width, kTop});
}

} // namespace qv
