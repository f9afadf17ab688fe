#pragma once

#include "assets/MeshData.h"

#include <optional>
#include <string>

namespace qv {

// Loads a DirectX .x mesh (text or binary) with positions, normals, UVs and winding exactly as
// written, every frame's transform applied. Materials keep the file's face colour (with its
// alpha), power, specular and emissive colours; ambient stays zero and texture names are
// ignored. nullopt when the file is missing, empty or not a readable .x mesh.
std::optional<MeshData> loadMeshFile(const std::string& path);

} // namespace qv
