// The mesh reader (our checks, then Assimp's .x importer): a mesh it accepts draws only its own
// vertices with its own materials. Text meshes only, for now: a binary mesh whose tokens are
// sound but out of their order still makes Assimp read a count from other data (a float's
// bits) and grow an array to gigabytes; until the binary checks follow the mesh's layout, that
// finding would stop every run here.
#include "FuzzInput.h"
#include "assets/MeshLoader.h"

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= 12 && std::memcmp(data + 8, "bin ", 4) == 0)
        return 0;
    const auto mesh = qv::parseMesh(std::string(reinterpret_cast<const char*>(data), size));
    if (!mesh)
        return 0;
    for (const qv::MeshSubset& subset : mesh->subsets) {
        if (subset.materialIndex >= mesh->materials.size() || subset.indices.size() % 3 != 0)
            std::abort();
        for (const auto index : subset.indices)
            if (index >= subset.vertices.size())
                std::abort();
    }
    return 0;
}
