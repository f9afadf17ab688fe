#include "pictures/MapPicture.h"

#include "field/FieldGrid.h"
#include "field/TerrainPalette.h"
#include "field/WaterSurface.h"
#include "pictures/Rgba.h"

#include <algorithm>

namespace qv::content {

namespace {

constexpr int32_t kColouredPalette = 1;
// The mini-map is drawn at 40 % opacity, so the water goes on thicker than the world's own
// translucent surface, and thicker still where it is deep.
constexpr float kShallowTint = 0.5f;
constexpr float kDeepTint = 0.75f;
constexpr float kFullDepth = 1.0f;
// Light from the map's top left, that is from +x and +z: slopes facing it brighten, slopes
// facing away darken, by this much per unit of the normal's horizontal part.
constexpr float kShadeGain = 0.8f;
constexpr float kDarkest = 0.45f;
constexpr float kBrightest = 1.3f;
constexpr float kHalfRoot2 = 0.70710678f;

Rgba scaled(const Rgba& colour, float factor) {
    return {colour.r * factor, colour.g * factor, colour.b * factor, colour.a};
}

Rgba texel(const FieldGrid& grid, const TerrainPalette& palette, float x, float z) {
    const float h = grid.heightAt(x, z);
    const Vec3& n = grid.normalAt(x, z);
    const float light = std::clamp(1.0f + kShadeGain * kHalfRoot2 * (n.x + n.z), kDarkest, kBrightest);
    const Rgba ground = scaled(Rgba::fromArgb(palette.colorAt(h)), light);
    const float depth = WaterSurface::kRestingLevel - h;
    if (depth <= 0.0f)
        return ground;
    const Rgba water = Rgba::fromArgb(WaterSurface::kColoredWater).withAlpha(1.0f);
    return mix(ground, water, kShallowTint + (kDeepTint - kShallowTint) * std::min(depth / kFullDepth, 1.0f));
}

} // namespace

Image drawMapPicture(const FieldHeights& heights) {
    const TerrainPalette palette(kColouredPalette);
    const FieldGrid grid(heights, palette);
    Image image;
    image.width = image.height = kMapPictureSize;
    image.pixels.resize(static_cast<size_t>(kMapPictureSize) * kMapPictureSize);
    const float texelSize = 1.0f / static_cast<float>(kMapPictureSize);
    for (uint32_t row = 0; row < kMapPictureSize; ++row) {
        const float v = (static_cast<float>(row) + 0.5f) * texelSize;
        for (uint32_t column = 0; column < kMapPictureSize; ++column) {
            const float u = (static_cast<float>(column) + 0.5f) * texelSize;
            const Rgba colour =
                texel(grid, palette, kMapPictureSpan * (1.0f - v), kMapPictureSpan * (1.0f - u));
            image.pixels[static_cast<size_t>(row) * kMapPictureSize + column] = colour.toArgb();
        }
    }
    return image;
}

} // namespace qv::content
