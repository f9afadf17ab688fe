#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The largest mesh the game reads; its own are under 1 MiB.
inline constexpr uint64_t kMaxMeshBytes = uint64_t{16} << 20;

// Checks a .x file's bytes before Assimp parses them. Assimp's .x parser trusts what a file
// says: it sizes arrays by counts before reading what they count, indexes normals, texture
// coordinates and materials by indices it never compared with their counts, and in a binary
// file reads a count from whatever bytes follow when a token is out of place. So the file is
// read first as the parser will read it (XTextTokens or XBinaryTokens) along the mesh layout
// (XMeshLayout): every count must be one the file can hold (at most half its size, as each
// counted element takes at least two bytes) and be followed by what it counts, every index must
// be below its count, every number must be of the kind the layout wants. Compressed .x files
// are refused: they state their unpacked size themselves. Empty when the file may go on to
// Assimp; else the reason, with where in the file.
std::string xFileProblem(std::string_view bytes);

} // namespace qv
