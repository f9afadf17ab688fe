#pragma once

#include "core/Image.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::content {

// DDS files as the game's textures are stored: uncompressed 32-bit A8R8G8B8, one mip level.
namespace dds {
constexpr uint32_t kMagic = 0x20534444; // "DDS "
constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kPixelFormatSize = 32;
constexpr uint32_t kFlags =
    0x1 | 0x2 | 0x4 | 0x8 | 0x1000 | 0x20000;      // caps, height, width, pitch, format, mips
constexpr uint32_t kPixelFormatFlags = 0x1 | 0x40; // alpha pixels, RGB
constexpr uint32_t kCapsTexture = 0x1000;
constexpr uint32_t kRedMask = 0x00FF0000;
constexpr uint32_t kGreenMask = 0x0000FF00;
constexpr uint32_t kBlueMask = 0x000000FF;
constexpr uint32_t kAlphaMask = 0xFF000000;
constexpr size_t kFileHeaderBytes = 4 + kHeaderSize;
} // namespace dds

std::vector<uint8_t> encodeDds(const Image& image);
// False when the file cannot be written; an existing file is then left as it was.
bool writeDds(const std::string& path, const Image& image);

} // namespace qv::content
