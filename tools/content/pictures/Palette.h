#pragma once

#include "pictures/Rgba.h"

#include <cstdint>

namespace qv::content {

// An opaque colour written as 0xRRGGBB, as the pictures' palettes are.
inline Rgba hexColour(uint32_t rgb) {
    return Rgba::fromArgb(0xFF000000u | rgb);
}

} // namespace qv::content
