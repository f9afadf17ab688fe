#pragma once

#include "hud/FrameTimes.h"
#include "hud/OverlayText.h"

#include <array>
#include <optional>
#include <string>

namespace qv {

// The F9 display in the top right corner, under the score: frames per second, and the time
// between frames (shortest, average, longest) over the last second. What it shows changes twice
// a second, so the figures can be read.
class FpsDisplay {
  public:
    static constexpr double kRefreshMs = 500.0;
    static constexpr float kRight = 636.0f; // the panel's right edge, overlay units
    static constexpr float kTop = 56.0f;

    using Lines = std::array<std::u32string, 2>;

    // "58.8 fps" and "min 16.0  avg 17.0  max 18.0 ms".
    static Lines linesFor(const FrameTimes::Summary& summary);

    // The figures of the moment are taken at once on the next draw.
    void restart() { takenAtMs_.reset(); }
    void draw(OverlayText& text, const FrameTimes& times, double nowMs);
    const Lines& lines() const { return lines_; }

  private:
    Lines lines_;
    std::optional<double> takenAtMs_;
};

} // namespace qv
