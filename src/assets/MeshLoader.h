#pragma once

#include "assets/MeshData.h"

#include <optional>
#include <string>

namespace qv {

// Loads a DirectX .x mesh (text or binary) with positions, normals, UVs and winding exactly as
// written, every frame's transform applied. Materials keep the file's face colour (with its
// alpha), power, specular and emissive colours; ambient stays zero and texture names are
// ignored. nullopt when the file is missing, empty, larger than kMaxMeshBytes, does not follow
// the .x mesh layout (xFileProblem) or is not a readable .x mesh; problem, when given, then says
// why.
std::optional<MeshData> loadMeshFile(const std::string& path, std::string* problem = nullptr);
// The same for a file's bytes.
std::optional<MeshData> parseMesh(const std::string& bytes, std::string* problem = nullptr);

} // namespace qv
