#pragma once

#include "platform/RenderTypes.h"

#include <cstdint>
#include <vector>

namespace qv {

// The triangles of one mesh drawn with one material: an indexed triangle list.
struct MeshSubset {
    uint32_t materialIndex = 0;
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices; // three per triangle, each < vertices.size()
};

// A loaded mesh: its materials in file order and the subsets that use them. Several subsets may
// use one material (one per mesh of the file); a material no triangle uses has none.
struct MeshData {
    std::vector<Material> materials;
    std::vector<MeshSubset> subsets;
};

} // namespace qv
