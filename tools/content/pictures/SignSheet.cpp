#include "pictures/SignSheet.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

SheetArea SignSheet::row(int r) {
    return {0, r * kPiece, kSize, kPiece};
}

SheetArea SignSheet::cell(int k) {
    return {(k % kGrid) * kPiece, (k / kGrid) * kPiece, kPiece, kPiece};
}

void SignSheet::paint(const SheetArea& area, Vec2 shown, const Art& art) {
    // Drawn at least as finely as the sheet holds it on either axis, so squeezing only ever
    // averages pixels and never blurs.
    const float unit =
        std::max(static_cast<float>(area.width) / shown.x, static_cast<float>(area.height) / shown.y);
    Canvas design(static_cast<int>(std::lround(shown.x * unit)),
                  static_cast<int>(std::lround(shown.y * unit)));
    art(design, unit);
    canvas_.drawImage(design.toImage(), area.left, area.top, area.width, area.height);
}

} // namespace qv::content
