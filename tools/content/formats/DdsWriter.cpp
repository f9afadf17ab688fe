#include "formats/DdsWriter.h"

#include "core/FilePaths.h"
#include "formats/ByteWriter.h"

namespace qv::content {

std::vector<uint8_t> encodeDds(const Image& image) {
    std::vector<uint8_t> bytes;
    bytes.reserve(dds::kFileHeaderBytes + image.pixels.size() * 4);
    ByteWriter out(bytes);
    out.u32(dds::kMagic);
    out.u32(dds::kHeaderSize);
    out.u32(dds::kFlags);
    out.u32(image.height);
    out.u32(image.width);
    out.u32(image.width * 4); // pitch of one row
    out.u32(0);               // depth
    out.u32(1);               // mip levels
    out.zeros(11 * 4);        // reserved
    out.u32(dds::kPixelFormatSize);
    out.u32(dds::kPixelFormatFlags);
    out.u32(0); // no FourCC
    out.u32(32);
    out.u32(dds::kRedMask);
    out.u32(dds::kGreenMask);
    out.u32(dds::kBlueMask);
    out.u32(dds::kAlphaMask);
    out.u32(dds::kCapsTexture);
    out.zeros(3 * 4); // caps 2..4
    out.u32(0);       // reserved
    for (uint32_t pixel : image.pixels) {
        out.u32(pixel); // 0xAARRGGBB little-endian: B, G, R, A
    }
    return bytes;
}

bool writeDds(const std::string& path, const Image& image) {
    const std::vector<uint8_t> bytes = encodeDds(image);
    return writeFileAtomically(path, bytes.data(), bytes.size());
}

} // namespace qv::content
