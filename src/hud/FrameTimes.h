#pragma once

#include <cstdint>
#include <deque>
#include <optional>

namespace qv {

// The frames shown over the last second, for the FPS display: how many a second, and the time
// from one to the next (shortest, average, longest). It is told when each frame is shown and
// reads no clock itself.
class FrameTimes {
  public:
    static constexpr double kSpanMs = 1000.0;

    struct Summary {
        double framesPerSecond = 0.0;
        double shortestMs = 0.0;
        double averageMs = 0.0;
        double longestMs = 0.0;
        bool operator==(const Summary&) const = default;
    };

    // A frame was shown at atMs (milliseconds from any fixed start). A time before the last one
    // (a clock that wrapped) starts the count afresh.
    void frameShown(double atMs);
    // Over the gaps between frames that ended within the last second before the latest frame,
    // and always the latest gap, however long: a game showing a frame every two seconds runs at
    // half a frame a second. All zero until two frames were shown.
    Summary summary() const;

  private:
    struct Gap {
        double endMs;
        double lengthMs;
    };

    std::deque<Gap> gaps_;
    std::optional<double> lastMs_;
};

} // namespace qv
