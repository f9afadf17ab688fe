#pragma once

#include "core/Image.h"
#include "field/FieldHeights.h"

#include <cstdint>

namespace qv::content {

// The mini-map shows the picture on a square of about 113 overlay pixels, so one texel per
// pixel at the game's own 640 x 480.
constexpr uint32_t kMapPictureSize = 128;
// The picture spans field coordinates 0 to 101 on both axes, as the mini-map projects it.
constexpr float kMapPictureSpan = 101.0f;

// A field seen from above for the mini-map: the ground in the coloured palette the field is
// drawn with, shaded as if lit from the map's top left so hills and cliffs read, and water
// tinted blue. Texel (u, v) shows the field point x = 101 (1 - v), z = 101 (1 - u): up on the
// map is +x and left is +z, as the mini-map draws the rider. The strip past the field's far
// edges (x or z above 100) repeats the edge.
Image drawMapPicture(const FieldHeights& heights);

} // namespace qv::content
