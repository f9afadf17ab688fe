#pragma once

#include "core/Image.h"
#include "core/Vec3.h"
#include "pictures/Canvas.h"

#include <functional>

namespace qv::content {

// A rectangle of texels on a sheet.
struct SheetArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A square lettering sheet that the game cuts into four rows of equal height, or into a 4 x 4
// grid of cells, and stretches each piece over a quad of its own shape on screen. A sign is
// therefore drawn at the shape it is shown at and squeezed into its piece, so its letters come
// out with their true proportions on screen whatever the piece's proportions on the sheet.
class SignSheet {
  public:
    static constexpr int kSize = 512;
    static constexpr int kGrid = 4;
    static constexpr int kPiece = kSize / kGrid; // height of a row, side of a cell

    // Draws a sign in overlay units: `unit` canvas pixels per unit, the canvas `shown` units large.
    using Art = std::function<void(Canvas& canvas, float unit)>;

    static SheetArea row(int r);
    static SheetArea cell(int k); // column k mod 4, row k div 4

    // Paints art made for a quad of `shown` overlay units into the area.
    void paint(const SheetArea& area, Vec2 shown, const Art& art);

    Image image() const { return canvas_.toImage(); }

  private:
    Canvas canvas_{kSize, kSize};
};

} // namespace qv::content
