#pragma once

#include "core/Vec3.h"
#include "pictures/Canvas.h"
#include "pictures/Rgba.h"
#include "pictures/TextRenderer.h"

#include <string>
#include <vector>

namespace qv::content {

// How a piece of lettering is coloured: a fill running from the top of the capitals to the
// baseline, inside a rim that keeps it readable over bright sky and dark water alike.
struct LetterLook {
    Rgba top;
    Rgba bottom;
    Rgba rim{0.06f, 0.08f, 0.22f, 1.0f};
};

// A stretch of one line in one look ("4" in gold, then " GOALS LEFT" in white).
struct TextRun {
    std::string text;
    LetterLook look;
};

// Bold sign lettering: outlined, gradient-filled capitals with a soft shadow, placed by the
// middle of their capitals so lines of different words line up.
class Lettering {
  public:
    explicit Lettering(const TextRenderer& text);

    // Draws the runs as one line with its capitals centred on at.y, capHeight pixels tall, or
    // smaller where the line with its rim and shadow would be wider than maxWidth. Horizontally the ink
    // with its rim starts at at.x (align 0), is centred on it (0.5) or ends there (1). The rim
    // is rimWidth pixels wide.
    void line(Canvas& canvas, const std::vector<TextRun>& runs, Vec2 at, float align, float capHeight,
              float maxWidth, float rimWidth) const;

    // The height of the capitals at a font pixel height.
    float capHeight(float pixelHeight) const { return capShare_ * pixelHeight; }

  private:
    struct Placed {
        CoverageMask ink;
        const LetterLook* look;
    };

    // Where the ink of placed runs starts and ends.
    struct InkSpan {
        float left;
        float right;
        float width() const { return right - left; }
    };

    // Rasterises the runs one after another with the pen starting at left.
    std::vector<Placed> place(const std::vector<TextRun>& runs, float left, float baseline,
                              float pixelHeight) const;
    static InkSpan inkOf(const std::vector<Placed>& placed);
    // The font height for the capitals, lowered where the runs would be wider than room.
    float fittedPixelHeight(const std::vector<TextRun>& runs, float capHeight, float room) const;
    // Shadow, rims, then the gradient fills, so no rim covers a neighbouring run's letters.
    void paint(Canvas& canvas, const std::vector<Placed>& placed, float rimWidth, int shadow, float capTop,
               float baseline) const;

    const TextRenderer& text_;
    float capShare_;
};

} // namespace qv::content
