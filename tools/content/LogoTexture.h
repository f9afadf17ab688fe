#pragma once

#include "core/Image.h"
#include "pictures/TextRenderer.h"

namespace qv::content {

// The title logo shown spinning in at start (tex/zem.dds): a round badge with a tricycle
// riding over a green hill above water, and the name below it. The game loads it with a
// one-bit alpha over a black screen, so edges are pre-blended onto black and every pixel is
// either opaque or fully transparent.
constexpr int kLogoSize = 256;

Image drawLogo(const TextRenderer& text);

// The logo's badge and tricycle without the name, scaled to fill a size x size square, on a
// transparent ground with soft edges: the picture of the game's desktop icon. A line weight
// above 1 thickens the rim, the tyres and the frame by that factor and leaves out the details
// (spokes, wave crests, speed lines) that would only blur in a picture a few dozen pixels across.
Image drawLogoBadge(int size, float lineWeight);

} // namespace qv::content
