#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The largest mesh the game reads; its own are under 1 MiB.
inline constexpr uint64_t kMaxMeshBytes = uint64_t{16} << 20;

// Checks a .x file's bytes before Assimp parses them. Assimp sizes its arrays from the counts a
// file states before it reads the elements, so one count of four billion made it allocate
// gigabytes. Every whole number (the counts among them) must be one the file could hold: at most
// half its size, as each counted element takes at least two bytes; for a binary file every
// token must also fit in the file. Compressed .x files are refused: they state their unpacked
// size themselves. Empty when the file may go on to Assimp; else the reason.
std::string xFileProblem(std::string_view bytes);

} // namespace qv
