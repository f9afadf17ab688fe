#pragma once

#include "meshes/TriangleMesh.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::content {

// A mesh as a DirectX .x text file ("xof 0303txt 0032"): one frame holding one Mesh with its
// MeshNormals, MeshTextureCoords and a MeshMaterialList of inline Materials (face colour with
// alpha, power, specular, emissive). Numbers are written with six decimals.
std::string writeXMesh(const TriangleMesh& mesh, const std::string& name);

// The same text as the bytes of a file.
std::vector<uint8_t> encodeXMesh(const TriangleMesh& mesh, const std::string& name);

} // namespace qv::content
