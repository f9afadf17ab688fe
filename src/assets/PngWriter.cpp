#include "assets/PngWriter.h"

#include "core/FilePaths.h"

#include <stb_image_write.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace qv {

namespace {

constexpr int kChannels = 4;

bool wellFormed(const Image& image) {
    return image.width > 0 && image.height > 0 && image.width <= INT_MAX / kChannels &&
           image.height <= INT_MAX && image.pixels.size() == static_cast<size_t>(image.width) * image.height;
}

std::vector<uint8_t> toRgba(const Image& image) {
    std::vector<uint8_t> rgba;
    rgba.reserve(image.pixels.size() * kChannels);
    for (uint32_t p : image.pixels) {
        rgba.push_back(static_cast<uint8_t>(p >> 16));
        rgba.push_back(static_cast<uint8_t>(p >> 8));
        rgba.push_back(static_cast<uint8_t>(p));
        rgba.push_back(static_cast<uint8_t>(p >> 24));
    }
    return rgba;
}

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

bool writePng(const std::string& path, const Image& image) {
    if (!wellFormed(image))
        return false;
    std::vector<uint8_t> rgba = toRgba(image);
    std::vector<uint8_t> encoded;
    int width = static_cast<int>(image.width);
    if (stbi_write_png_to_func(appendBytes, &encoded, width, static_cast<int>(image.height), kChannels,
                               rgba.data(), width * kChannels) == 0)
        return false;
    return writeFileAtomically(path, encoded.data(), encoded.size());
}

} // namespace qv
