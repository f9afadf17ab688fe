#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::test {

// Hand-written .x meshes for the loader tests.
//
// The cube: corners x in {-1, 2}, y in {0, 2}, z in {1, 3}; corner c has bit 0 for x, bit 1 for
// y, bit 2 for z. Six quads, each written clockwise seen from outside (the front-face order of
// a left-handed renderer) with one normal per face, in the order -z, +x, +z, -x, +y, -y. Every
// corner has its own UV (see cubeUv). Two materials, "Paint" and "Chrome" (with a texture file
// name that must be ignored); Paint covers faces 1, 3, 5 and Chrome faces 0, 2, 4.
namespace cube {
constexpr int kFaceCount = 6;
constexpr float kCornerX[2] = {-1.0f, 2.0f};
constexpr float kCornerY[2] = {0.0f, 2.0f};
constexpr float kCornerZ[2] = {1.0f, 3.0f};
constexpr float kNormals[kFaceCount][3] = {{0, 0, -1}, {1, 0, 0}, {0, 0, 1},
                                           {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
} // namespace cube

// Materials written inside the mesh: material 0 is Paint, so the first face uses material 1.
std::string cubeWithInlineMaterials();
// Materials Paint, Spare, Chrome: Spare is used by no face, so the second subset (Chrome) uses
// material 2.
std::string cubeWithUnusedMaterial();
// Two quads of the cube, no UVs: the +x face in Paint inside a frame, and the -z face in Chrome
// as a mesh at file level. The frame's materials come first (Paint 0, Chrome 1), but the
// top-level mesh hangs on the root frame, so the first subset uses material 1.
std::string twoPartsOutOfOrder();

// A one-triangle mesh inside a frame hierarchy: parent translated by (10, 20, 30), child turned
// a quarter about y and scaled by 2. The triangle's normal is +x.
std::string triangleInFrames();

// A small binary-format .x file: one triangle (0,0,5) (0,1,5) (1,0,5) facing -z, UVs
// (0,0) (0,1) (1,0), one material with the given values (face RGBA, power, specular RGB,
// emissive RGB); its reals as doubles when doubles is set.
std::string binaryTriangle(const std::vector<float>& material, bool doubles = false);

} // namespace qv::test
