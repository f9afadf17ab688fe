#pragma once

#include "platform/RenderTypes.h"

#include <array>

namespace qv {

// Lays a full-screen overlay quad (corners top-left, top-right, bottom-left, bottom-right, drawn
// as a strip) over the whole picture, whose edges lie at screen in overlay units. Its texture
// runs 0..1 across the 640 x 480 overlay as before, so a picture keeps its place and shape in
// the overlay's frame and, read with clamped edges, reaches out to the screen's edges.
inline void coverScreen(std::array<OverlayVertex, 4>& quad, const OverlayRect& screen) {
    constexpr float kWidth = 640.0f, kHeight = 480.0f;
    for (size_t i = 0; i < quad.size(); ++i) {
        OverlayVertex& v = quad[i];
        v.x = i % 2 == 0 ? screen.left : screen.right;
        v.y = i < 2 ? screen.top : screen.bottom;
        v.u = v.x / kWidth;
        v.v = v.y / kHeight;
    }
}

} // namespace qv
