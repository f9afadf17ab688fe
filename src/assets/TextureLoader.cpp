#include "assets/TextureLoader.h"

#include "assets/DdsReader.h"
#include "core/FatalError.h"

namespace qv {

namespace {

uint32_t toFiveBits(uint32_t channel) {
    const uint32_t five = channel >> 3;
    return five << 3 | five >> 2;
}

} // namespace

void quantizeToA1R5G5B5(Image& image) {
    for (uint32_t& pixel : image.pixels) {
        const uint32_t alpha = (pixel >> 24) >= 128 ? 0xFFu : 0u;
        const uint32_t red = toFiveBits((pixel >> 16) & 0xFFu);
        const uint32_t green = toFiveBits((pixel >> 8) & 0xFFu);
        const uint32_t blue = toFiveBits(pixel & 0xFFu);
        pixel = alpha << 24 | red << 16 | green << 8 | blue;
    }
}

std::unique_ptr<Texture> loadTexture(GraphicsDevice& device, const std::string& path, TextureFormat format) {
    auto image = loadDdsFile(path);
    if (!image)
        return nullptr;
    // The logo keeps the hard-edged alpha and coarser colours its 16-bit format always gave it.
    if (format == TextureFormat::A1R5G5B5)
        quantizeToA1R5G5B5(*image);
    return device.createTexture(*image);
}

std::unique_ptr<Texture> requireTexture(GraphicsDevice& device, const std::string& path, TextureFormat format,
                                        const char* message) {
    auto texture = loadTexture(device, path, format);
    if (!texture)
        throw FatalError(message, "texture " + path + " is missing or not a readable DDS file");
    return texture;
}

} // namespace qv
