#include "DdsBytes.h"

namespace qv::test {

namespace {
constexpr uint32_t kCaps = 0x1, kHeight = 0x2, kWidth = 0x4, kPitch = 0x8, kPixelFormat = 0x1000,
                   kMipMapCount = 0x20000, kLinearSize = 0x80000;
constexpr uint32_t kCapsTexture = 0x1000;
} // namespace

uint32_t DdsFormat::unitBytes() const {
    if (!compressed())
        return bitCount / 8;
    return fourCc == dds::fourCc("DXT1") ? 8 : 16;
}

size_t ddsPayloadSize(const DdsFormat& format, uint32_t width, uint32_t height) {
    if (format.compressed())
        return static_cast<size_t>((width + 3) / 4) * ((height + 3) / 4) * format.unitBytes();
    return static_cast<size_t>(width) * height * format.unitBytes();
}

void putU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void appendU16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void appendU32(std::vector<uint8_t>& bytes, uint32_t value) {
    appendU16(bytes, static_cast<uint16_t>(value));
    appendU16(bytes, static_cast<uint16_t>(value >> 16));
}

std::vector<uint8_t> makeDds(const DdsFormat& format, uint32_t width, uint32_t height,
                             const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> bytes(dds::kDataAt, 0);
    putU32(bytes, 0, dds::fourCc("DDS "));
    putU32(bytes, dds::kHeaderSizeAt, 124);
    const uint32_t sizeFlag = format.compressed() ? kLinearSize : kPitch;
    putU32(bytes, 8, kCaps | kHeight | kWidth | kPixelFormat | kMipMapCount | sizeFlag);
    putU32(bytes, dds::kHeightAt, height);
    putU32(bytes, dds::kWidthAt, width);
    const size_t pitch =
        format.compressed() ? ddsPayloadSize(format, width, height) : size_t{width} * format.unitBytes();
    putU32(bytes, dds::kPitchAt, static_cast<uint32_t>(pitch));
    putU32(bytes, 28, 1); // mip levels
    putU32(bytes, dds::kPixelFormatSizeAt, 32);
    putU32(bytes, dds::kFormatFlagsAt, format.flags);
    putU32(bytes, dds::kFourCcAt, format.fourCc);
    putU32(bytes, dds::kBitCountAt, format.bitCount);
    putU32(bytes, dds::kRedMaskAt, format.redMask);
    putU32(bytes, dds::kRedMaskAt + 4, format.greenMask);
    putU32(bytes, dds::kRedMaskAt + 8, format.blueMask);
    putU32(bytes, dds::kAlphaMaskAt, format.alphaMask);
    putU32(bytes, 108, kCapsTexture);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

std::vector<uint8_t> packPixels(const DdsFormat& format, const std::vector<uint32_t>& words) {
    std::vector<uint8_t> bytes;
    for (uint32_t word : words)
        for (uint32_t b = 0; b < format.unitBytes(); ++b)
            bytes.push_back(static_cast<uint8_t>(word >> (8 * b)));
    return bytes;
}

std::string asString(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

} // namespace qv::test
