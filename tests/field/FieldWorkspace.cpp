#include "FieldWorkspace.h"

#include <bit>
#include <cstring>

namespace qv::test {

namespace {

void putWord(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

} // namespace

std::string fieldFileBytes(const HeightFunction& height) {
    std::string bytes;
    for (int i = 0; i <= 100; ++i)
        for (int j = 0; j <= 100; ++j)
            putWord(bytes, std::bit_cast<uint32_t>(height(i, j)));
    return bytes;
}

std::string ddsBytes(uint32_t width, uint32_t height, uint32_t argb) {
    std::string out = "DDS ";
    putWord(out, 124);    // header size
    putWord(out, 0x100F); // caps, height, width, pitch, pixel format
    putWord(out, height);
    putWord(out, width);
    putWord(out, width * 4);     // pitch
    for (int k = 0; k < 13; ++k) // depth, mip count, 11 reserved
        putWord(out, 0);
    putWord(out, 32);   // pixel format size
    putWord(out, 0x41); // RGB with alpha
    putWord(out, 0);    // no four-cc
    putWord(out, 32);   // bits per pixel
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
        putWord(out, mask);
    putWord(out, 0x1000);       // texture
    for (int k = 0; k < 4; ++k) // caps 2..4, reserved
        putWord(out, 0);
    for (uint32_t p = 0; p < width * height; ++p)
        putWord(out, argb);
    return out;
}

FieldWorkspace::FieldWorkspace() : cwd_(dir_.path()) {
    // Most tests need no picture; the texture tests turn it back on.
    writeIni("[PERFORMANCE]\nGROUNDTEXTURE=0\n");
}

void FieldWorkspace::writeField(uint32_t digit, const std::string& bytes) const {
    dir_.write("Data/Field" + std::to_string(digit) + ".dat", bytes);
}

void FieldWorkspace::writeGroundTexture() const {
    dir_.write("Data/tex/ground.dds", ddsBytes(4, 4, 0xFF808080));
}

std::unique_ptr<Field> FieldWorkspace::build() {
    return std::make_unique<Field>(device, content, state, Settings("./Pedalon.ini").sceneOptions());
}

} // namespace qv::test
