#include "terrain/TerrainShapes.h"
#include "formats/FieldFile.h"
#include "support/TempDir.h"
#include "terrain/TerrainNoise.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace qv::content {
namespace {

FieldHeights levelAt(float height) {
    FieldHeights heights;
    reshape(heights, [height](float, float, float) { return height; });
    return heights;
}

TEST(TerrainNoise, IsTheSameForTheSameSeedAndDiffersBetweenSeeds) {
    const TerrainNoise a(7), b(7), c(8);
    int differing = 0;
    float spread = 0.0f;
    for (int k = 0; k < 200; ++k) {
        const float x = static_cast<float>(k) * 1.37f, z = static_cast<float>(k) * 0.61f;
        ASSERT_EQ(a.fractal(x, z, 20.0f, 4), b.fractal(x, z, 20.0f, 4));
        differing += a.fractal(x, z, 20.0f, 4) != c.fractal(x, z, 20.0f, 4) ? 1 : 0;
        spread = std::max(spread, std::fabs(a.fractal(x, z, 20.0f, 4)));
    }
    EXPECT_GT(differing, 190);
    EXPECT_GT(spread, 0.4f) << "relief, not a flat plain";
    EXPECT_LT(spread, 1.5f);
}

TEST(TerrainNoise, LineDistanceIsSmallWhereTheNoiseChangesSign) {
    const TerrainNoise noise(3);
    int crossings = 0;
    float total = 0.0f;
    for (float x = 0.0f; x < 100.0f; x += 0.25f) {
        const float here = noise.fractal(x, 40.0f, 30.0f, 3);
        const float next = noise.fractal(x + 0.25f, 40.0f, 30.0f, 3);
        total += noise.lineDistance(x, 40.0f, 30.0f);
        if ((here < 0.0f) != (next < 0.0f)) {
            ++crossings;
            EXPECT_LT(noise.lineDistance(x, 40.0f, 30.0f), 0.5f) << x;
        }
    }
    EXPECT_GT(crossings, 2);
    EXPECT_GT(total / 400.0f, 2.0f) << "away from the lines the distance grows";
}

TEST(TerrainShapes, FlattenIsExactInsideAndLeavesFarGroundAlone) {
    FieldHeights heights;
    reshape(heights, [](float x, float z, float) { return 0.01f * x + 0.02f * z; });
    flatten(heights, disc({50.0f, 50.0f}, 5.0f), 1.23f, 4.0f);
    for (int i = 45; i <= 55; ++i) {
        for (int j = 45; j <= 55; ++j) {
            if (std::hypot(i - 50.0f, j - 50.0f) <= 5.0f) {
                ASSERT_EQ(heights.at(i, j), 1.23f) << i << ", " << j;
            }
        }
    }
    EXPECT_FLOAT_EQ(heights.at(50, 60), 0.01f * 50 + 0.02f * 60);
    EXPECT_GT(heights.at(50, 57), 1.23f); // blending up towards the higher ground
    EXPECT_LT(heights.at(50, 57), 0.01f * 50 + 0.02f * 57);
}

TEST(TerrainShapes, SinkDigsWithoutRaisingAndMesaIsACliff) {
    FieldHeights heights = levelAt(1.0f);
    heights.set(30, 30, -2.0f);
    sink(heights, disc({30.0f, 30.0f}, 3.0f), -0.5f, 5.0f);
    EXPECT_EQ(heights.at(30, 30), -2.0f) << "deeper ground stays";
    EXPECT_EQ(heights.at(30, 32), -0.5f);
    EXPECT_LT(heights.at(30, 36), 1.0f);
    EXPECT_EQ(heights.at(30, 40), 1.0f);

    mesa(heights, disc({70.0f, 70.0f}, 6.0f), 3.0f, 20.0f);
    EXPECT_EQ(heights.at(70, 76), 3.0f);
    EXPECT_EQ(heights.at(70, 77), 1.0f) << "one step from the top to the ground";
}

TEST(TerrainShapes, RampRisesEvenlyFromALevelRunwayAndDropsAwayBehindTheLip) {
    FieldHeights heights;
    reshape(heights, [](float x, float, float) { return 1.0f + 0.05f * x; });
    const Ramp ramp{{40.0f, 50.0f}, 0.0f, 6.0f, 1.8f, 2.5f, 10.0f};
    buildRamp(heights, ramp);
    const float level = 1.0f + 0.05f * 40.0f;
    for (int i = 30; i <= 40; ++i)
        EXPECT_FLOAT_EQ(heights.at(i, 50), level) << "runway at x = " << i;
    for (int step = 0; step <= 6; ++step)
        EXPECT_FLOAT_EQ(heights.at(40 + step, 50), level + 0.3f * static_cast<float>(step));
    EXPECT_FLOAT_EQ(heights.at(46, 52), level + 1.8f) << "the lip is as wide as the ramp";
    EXPECT_LT(heights.at(47, 50), level + 0.9f) << "the back falls away in one step";
    EXPECT_LT(heights.at(46, 54), level + 0.9f) << "and so do the sides";
}

TEST(TerrainShapes, RoadRunsEvenlyBetweenTheGroundAtItsEnds) {
    FieldHeights heights = levelAt(0.5f);
    mesa(heights, disc({20.0f, 50.0f}, 5.0f), 2.5f, 20.0f);
    road(heights, {20.0f, 50.0f}, {20.0f, 70.0f}, 2.0f, 2.0f);
    EXPECT_FLOAT_EQ(heights.at(20, 50), 2.5f);
    EXPECT_FLOAT_EQ(heights.at(20, 60), 1.5f);
    EXPECT_FLOAT_EQ(heights.at(21, 65), 1.0f);
    EXPECT_FLOAT_EQ(heights.at(20, 70), 0.5f);
}

TEST(FieldFile, IsReadBackByTheGameSampleForSample) {
    FieldHeights heights;
    // A different height at every sample, all of them heights a field may have.
    reshape(heights, [](float x, float z, float) { return (x * 101.0f + z) / 16.0f; });
    const std::vector<uint8_t> bytes = encodeFieldFile(heights);
    ASSERT_EQ(bytes.size(), FieldHeights::kFileBytes);
    // Value k is sample (k div 101, k mod 101), little-endian: 0.0625 (sample 0, 1) is 00 00 80 3D.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 8),
              (std::vector<uint8_t>{0, 0, 0x80, 0x3D}));
    test::TempDir dir;
    const std::string path = dir.write("Field2.dat", std::string(bytes.begin(), bytes.end()));
    const FieldHeights back = FieldHeights::read(path);
    for (int i = 0; i < FieldHeights::kSamples; ++i)
        for (int j = 0; j < FieldHeights::kSamples; ++j)
            ASSERT_EQ(back.at(i, j), heights.at(i, j)) << i << ", " << j;
}

} // namespace
} // namespace qv::content
