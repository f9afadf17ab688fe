// The mesh reader (our layout check, then Assimp's .x importer), text and binary meshes alike:
// nothing crashes or runs long, and a mesh it accepts draws only its own vertices with its own
// materials.
#include "FuzzInput.h"
#include "assets/MeshLoader.h"

#include <cstdlib>
#include <string>

// Assimp 5.2's .x importer leaks part of its parse tree when it rejects a file; the loss is
// Assimp's, and would otherwise stop every run at the first file it rejects.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libassimp.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
