#pragma once

#include "platform/RenderTypes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv::content {

// A mesh as it is written to a .x file: shared vertices, triangles that each name a material,
// and the materials in file order. Front faces are clockwise seen from outside (left-handed,
// y up), so cross(b - a, c - a) of a face points out of the surface.
struct TriangleMesh {
    struct Face {
        std::array<uint32_t, 3> corners{};
        uint32_t material = 0;
    };

    std::vector<Material> materials; // ambient is not stored in the file
    std::vector<MeshVertex> vertices;
    std::vector<Face> faces;
};

} // namespace qv::content
