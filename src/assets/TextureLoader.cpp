#include "assets/TextureLoader.h"

#include "assets/ContentCache.h"
#include "assets/DdsReader.h"
#include "core/FatalError.h"

namespace qv {

namespace {

uint32_t toFiveBits(uint32_t channel) {
    const uint32_t five = channel >> 3;
    return five << 3 | five >> 2;
}

std::unique_ptr<Texture> makeTexture(GraphicsDevice& device, const Image& image, TextureFormat format) {
    if (format == TextureFormat::A8R8G8B8)
        return device.createTexture(image);
    // The logo keeps the hard-edged alpha and coarser colours its 16-bit format always gave it.
    Image quantized = image;
    quantizeToA1R5G5B5(quantized);
    return device.createTexture(quantized);
}

// A picture the device would not take has no problem of the file's to tell.
std::unique_ptr<Texture> orFail(std::unique_ptr<Texture> texture, const std::string& path,
                                const std::string& problem, const char* message) {
    if (!texture)
        throw FatalError(message,
                         std::string("texture ")
                             .append(path)
                             .append(": ")
                             .append(problem.empty() ? "the graphics device did not take it" : problem));
    return texture;
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

std::unique_ptr<Texture> loadTexture(GraphicsDevice& device, const std::string& path, TextureFormat format,
                                     std::string* problem) {
    const auto image = loadDdsFile(path, problem);
    return image ? makeTexture(device, *image, format) : nullptr;
}

std::unique_ptr<Texture> requireTexture(GraphicsDevice& device, const std::string& path, TextureFormat format,
                                        const char* message) {
    std::string problem;
    return orFail(loadTexture(device, path, format, &problem), path, problem, message);
}

std::unique_ptr<Texture> requireTexture(GraphicsDevice& device, ContentCache& content,
                                        const std::string& path) {
    std::string problem;
    const auto image = content.image(path, &problem);
    return orFail(image ? device.createTexture(*image) : nullptr, path, problem, kCreateTextureMessage);
}

} // namespace qv
