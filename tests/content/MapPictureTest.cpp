#include "pictures/MapPicture.h"
#include "terrain/TerrainShapes.h"

#include <gtest/gtest.h>

namespace qv::content {
namespace {

struct Channels {
    int r, g, b;
};

Channels channels(uint32_t argb) {
    return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
            static_cast<int>(argb & 0xFF)};
}

// The texel whose centre shows the field point (x, z).
uint32_t texelAt(const Image& map, float x, float z) {
    const auto column = static_cast<uint32_t>((1.0f - z / kMapPictureSpan) * static_cast<float>(map.width));
    const auto row = static_cast<uint32_t>((1.0f - x / kMapPictureSpan) * static_cast<float>(map.height));
    return map.at(column, row);
}

bool looksWet(uint32_t argb) {
    const Channels c = channels(argb);
    return c.b > c.g && c.b > c.r;
}

// Water everywhere but one dry, flat block at 80 <= x <= 92, 8 <= z <= 20 (near the map's top
// right corner, since +x is up and +z is left on the mini-map).
FieldHeights islandInTheSea() {
    FieldHeights heights;
    reshape(heights,
            [](float x, float z, float) { return x >= 80 && x <= 92 && z >= 8 && z <= 20 ? 1.0f : -0.5f; });
    return heights;
}

TEST(MapPicture, IsAnOpaqueSquareOfTheMiniMapsSize) {
    const Image map = drawMapPicture(islandInTheSea());
    ASSERT_EQ(map.width, kMapPictureSize);
    ASSERT_EQ(map.height, kMapPictureSize);
    for (uint32_t p : map.pixels)
        ASSERT_EQ(p >> 24, 0xFFu);
}

TEST(MapPicture, ShowsEachFieldPointWhereTheMiniMapProjectsIt) {
    const Image map = drawMapPicture(islandInTheSea());
    // Texel (u, v) shows x = 101 (1 - v), z = 101 (1 - u): the island lies near the top right.
    EXPECT_FALSE(looksWet(map.at(112, 17)));
    EXPECT_FALSE(looksWet(texelAt(map, 86.0f, 14.0f)));
    EXPECT_TRUE(looksWet(map.at(17, 112))) << "transposed";
    EXPECT_TRUE(looksWet(map.at(15, 17))) << "mirrored in z";
    EXPECT_TRUE(looksWet(map.at(112, 110))) << "mirrored in x";
    // Its edges land on the texels of their field coordinates.
    EXPECT_FALSE(looksWet(texelAt(map, 91.5f, 8.5f)));
    EXPECT_TRUE(looksWet(texelAt(map, 93.5f, 14.0f)));
    EXPECT_TRUE(looksWet(texelAt(map, 86.0f, 21.5f)));
}

TEST(MapPicture, FlatGroundHasThePaletteColourAndWaterIsTintedBlue) {
    const Image map = drawMapPicture(islandInTheSea());
    const Channels land = channels(texelAt(map, 86.0f, 14.0f));
    EXPECT_EQ(land.r, 100); // the coloured palette at height 1: (100, 255, 100)
    EXPECT_EQ(land.g, 255);
    EXPECT_EQ(land.b, 100);
    const Channels sea = channels(texelAt(map, 40.0f, 60.0f));
    EXPECT_GT(sea.b, 150);
    EXPECT_LT(sea.r, 80);
}

TEST(MapPicture, SlopesFacingTheTopLeftAreLit) {
    // A ridge along the map's diagonal: one flank faces +x +z (top left), the other away.
    FieldHeights heights;
    reshape(heights, [](float x, float z, float) { return 3.0f - 0.04f * std::fabs(x + z - 100.0f); });
    const Image map = drawMapPicture(heights);
    const Channels lit = channels(texelAt(map, 60.0f, 60.0f));
    const Channels shaded = channels(texelAt(map, 40.0f, 40.0f));
    EXPECT_GT(lit.r + lit.g + lit.b, shaded.r + shaded.g + shaded.b + 30);
}

} // namespace
} // namespace qv::content
