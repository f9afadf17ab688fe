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

} // namespace qv::content
