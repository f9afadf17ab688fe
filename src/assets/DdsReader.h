#pragma once

#include "core/Image.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Decodes the top mip level of a DDS file to 0xAARRGGBB pixels. Understands uncompressed 16, 24
// and 32-bit RGB formats described by their channel masks, and DXT1 (with its 1-bit alpha mode),
// DXT3 and DXT5. Every header field is checked against the bytes actually present, so a damaged
// or hostile file yields nullopt and never reads outside the buffer; problem, when given, then
// says why.
std::optional<Image> decodeDds(const uint8_t* data, size_t size, std::string* problem = nullptr);

// Reads the file (its path resolved case-insensitively) and decodes it; nullopt when the file is
// missing or not a DDS picture this reader understands, and then problem, when given, says why.
std::optional<Image> loadDdsFile(const std::string& path, std::string* problem = nullptr);

} // namespace qv
