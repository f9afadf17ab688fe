#pragma once

#include "field/FieldHeights.h"

#include <cstdint>
#include <vector>

namespace qv::content {

// A field file as the game reads it: the 101 x 101 heights as little-endian floats in rows of
// constant x (sample (i, j) at index 101 i + j), nothing before or after.
std::vector<uint8_t> encodeFieldFile(const FieldHeights& heights);

} // namespace qv::content
