#pragma once

#include "core/Image.h"
#include "pictures/Canvas.h"
#include "pictures/TextRenderer.h"

#include <string>

namespace qv::content {

// How outlined lettering looks before it is fitted into a texture.
struct GlyphLook {
    float pixelHeight = 200.0f;       // size it is drawn at, well above the size it ends up
    float condense = 1.0f;            // width factor applied to the letters before they are outlined
    Rgba top{1.0f, 1.0f, 1.0f, 1.0f}; // fill at the top of the ink, running to `bottom`
    Rgba bottom{1.0f, 1.0f, 1.0f, 1.0f};
    Rgba outline{0.0f, 0.0f, 0.0f, 1.0f};
    float outlineShare = 0.07f; // outline width as a share of the ink's height
};

// The mask grown by `radius` pixels all round, as CoverageMask::dilated grows it, but through a
// distance transform, so a wide outline costs no more than a thin one. The covered pixels keep
// their own coverage; the grown rim is anti-aliased.
CoverageMask grownMask(const CoverageMask& mask, float radius);

// Paints the letters with `fill` over an outline of the given width painted with `outline`.
void fillOutlined(Canvas& canvas, const CoverageMask& letters, float outlineWidth, const Paint& fill,
                  const Paint& outline);

// The text as a picture just big enough for its outlined ink. Condensing happens before the
// outline is grown, so the outline keeps one width all round.
Image glyphPicture(const TextRenderer& text, const std::string& s, const GlyphLook& look);

// A rectangle of texels.
struct TexelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Draws a picture scaled to width x height texels, centred in the box.
void drawCentredIn(Canvas& canvas, const Image& picture, const TexelBox& box, float width, float height);

} // namespace qv::content
