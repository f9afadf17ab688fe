#pragma once

#include "pictures/NamedImage.h"
#include "pictures/TextRenderer.h"

#include <vector>

namespace qv::content {

// All textures on one picture for a quick look: a grid of cells, each texture scaled to fit
// over a checkerboard (so transparency shows), its name and size underneath.
Image buildContactSheet(const std::vector<NamedImage>& textures, const TextRenderer& text);

} // namespace qv::content
