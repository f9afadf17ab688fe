#pragma once

#include "hud/OverlayText.h"

#include <array>
#include <cstddef>
#include <string>

namespace qv {

// A short message in the bottom left corner, above the boost gauge, for a few seconds: a title
// and a detail under it (where a screenshot went). A detail too long for the screen keeps its
// end, the part of a path worth reading.
class Notice {
  public:
    static constexpr double kShowMs = 3000.0;
    static constexpr size_t kMaxCharacters = 76;
    static constexpr float kLeft = 8.0f;
    static constexpr float kBottom = 428.0f; // the panel's bottom edge, overlay units

    using Lines = std::array<std::u32string, 2>;

    // Both UTF-8; shown for showMs.
    void show(const std::string& title, const std::string& detail, double nowMs, double showMs = kShowMs);
    bool visible(double nowMs) const;
    const Lines& lines() const { return lines_; }
    void draw(OverlayText& text, double nowMs) const;

  private:
    Lines lines_;
    bool shown_ = false;
    double shownAtMs_ = 0.0;
    double showMs_ = kShowMs;
};

} // namespace qv
