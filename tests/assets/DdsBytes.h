#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::test {

// A DDS pixel format block, as the file stores it.
struct DdsFormat {
    uint32_t flags = 0;
    uint32_t fourCc = 0;
    uint32_t bitCount = 0;
    uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;

    bool compressed() const { return fourCc != 0; }
    // Bytes per pixel, or per 4x4 block when compressed.
    uint32_t unitBytes() const;
};

namespace dds {
constexpr uint32_t kAlphaPixels = 0x1;
constexpr uint32_t kFourCcFlag = 0x4;
constexpr uint32_t kRgb = 0x40;

constexpr uint32_t fourCc(const char* s) {
    return static_cast<uint32_t>(static_cast<uint8_t>(s[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(s[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(s[3])) << 24;
}

constexpr DdsFormat kR5G6B5{kRgb, 0, 16, 0xF800, 0x07E0, 0x001F, 0};
constexpr DdsFormat kX1R5G5B5{kRgb, 0, 16, 0x7C00, 0x03E0, 0x001F, 0};
constexpr DdsFormat kA1R5G5B5{kRgb | kAlphaPixels, 0, 16, 0x7C00, 0x03E0, 0x001F, 0x8000};
constexpr DdsFormat kA4R4G4B4{kRgb | kAlphaPixels, 0, 16, 0x0F00, 0x00F0, 0x000F, 0xF000};
constexpr DdsFormat kR8G8B8{kRgb, 0, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0};
constexpr DdsFormat kA8R8G8B8{kRgb | kAlphaPixels, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
constexpr DdsFormat kX8R8G8B8{kRgb, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0};
constexpr DdsFormat kA8B8G8R8{kRgb | kAlphaPixels, 0, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
constexpr DdsFormat kDxt1{kFourCcFlag, fourCc("DXT1"), 0, 0, 0, 0, 0};
constexpr DdsFormat kDxt3{kFourCcFlag, fourCc("DXT3"), 0, 0, 0, 0, 0};
constexpr DdsFormat kDxt5{kFourCcFlag, fourCc("DXT5"), 0, 0, 0, 0, 0};

// Byte offsets of header fields from the start of the file.
constexpr size_t kHeaderSizeAt = 4;
constexpr size_t kHeightAt = 12;
constexpr size_t kWidthAt = 16;
constexpr size_t kPitchAt = 20;
constexpr size_t kPixelFormatSizeAt = 76;
constexpr size_t kFormatFlagsAt = 80;
constexpr size_t kFourCcAt = 84;
constexpr size_t kBitCountAt = 88;
constexpr size_t kRedMaskAt = 92;
constexpr size_t kAlphaMaskAt = 104;
constexpr size_t kDataAt = 128;
} // namespace dds

// Size in bytes of the top level of a width x height picture in the format.
size_t ddsPayloadSize(const DdsFormat& format, uint32_t width, uint32_t height);

// A complete file: magic, 124-byte header (row pitch for uncompressed formats, linear size for
// compressed ones) and the payload as given.
std::vector<uint8_t> makeDds(const DdsFormat& format, uint32_t width, uint32_t height,
                             const std::vector<uint8_t>& payload);

// Pixel words packed little-endian at the format's width (2, 3 or 4 bytes each).
std::vector<uint8_t> packPixels(const DdsFormat& format, const std::vector<uint32_t>& words);

void putU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
void appendU16(std::vector<uint8_t>& bytes, uint16_t value);
void appendU32(std::vector<uint8_t>& bytes, uint32_t value);

std::string asString(const std::vector<uint8_t>& bytes);

} // namespace qv::test
