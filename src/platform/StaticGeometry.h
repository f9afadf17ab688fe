#pragma once

#include <cstdint>

namespace qv {

// Geometry that never changes once built (the terrain, the water, the sky, the meshes): handed to
// the graphics device once and drawn from there every frame, so a frame uploads only what moves.
// Made by a device, drawn by it, and destroyed before it.
class StaticGeometry {
  public:
    virtual ~StaticGeometry() = default;
};

// A run of consecutive vertices of a static geometry.
struct VertexRange {
    uint32_t first = 0;
    uint32_t count = 0;
    bool operator==(const VertexRange&) const = default;
};

} // namespace qv
