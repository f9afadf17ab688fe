#include "RiderTextures.h"
#include "OutputFolder.h"
#include "RiderContent.h"
#include "assets/DdsReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace qv::content {
namespace {

uint32_t alphaAt(const Image& image, uint32_t x, uint32_t y) {
    return image.at(x, y) >> 24;
}

float brightness(uint32_t argb) {
    return static_cast<float>(((argb >> 16) & 0xFF) + ((argb >> 8) & 0xFF) + (argb & 0xFF)) / (3.0f * 255.0f);
}

// Mean difference of all channels between column a and column b.
float columnDifference(const Image& image, uint32_t a, uint32_t b) {
    float sum = 0.0f;
    for (uint32_t y = 0; y < image.height; ++y)
        for (int shift : {24, 16, 8, 0})
            sum += std::fabs(static_cast<float>((image.at(a, y) >> shift) & 0xFF) -
                             static_cast<float>((image.at(b, y) >> shift) & 0xFF));
    return sum / static_cast<float>(image.height * 4);
}

// Whether the picture runs on across its left and right edges as smoothly as inside it.
::testing::AssertionResult tilesAcross(const Image& image) {
    float inside = 0.0f;
    for (uint32_t x = 0; x + 1 < image.width; ++x)
        inside += columnDifference(image, x, x + 1);
    inside /= static_cast<float>(image.width - 1);
    const float seam = columnDifference(image, image.width - 1, 0);
    if (seam <= 2.0f * inside + 1.0f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "seam " << seam << " against " << inside << " inside";
}

Image transposed(const Image& image) {
    Image out{image.height, image.width, std::vector<uint32_t>(image.pixels.size())};
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x)
            out.pixels[static_cast<size_t>(x) * out.width + y] = image.at(x, y);
    return out;
}

TEST(RiderTextures, ShadowColumnFallsFromOpaqueAtTheCentreToClearAtTheRim) {
    const Image shadow = shadowTexture();
    ASSERT_EQ(shadow.width, static_cast<uint32_t>(kShadowSize));
    ASSERT_EQ(shadow.height, static_cast<uint32_t>(kShadowSize));
    const auto column = static_cast<uint32_t>(kShadowColumnU * kShadowSize);
    auto rowAt = [](float v) { return static_cast<uint32_t>(v * kShadowSize); };
    EXPECT_EQ(alphaAt(shadow, column, 0), 255u);
    EXPECT_EQ(alphaAt(shadow, column, rowAt(kShadowRimV)), 0u) << "the rim of the disc must not show";
    const uint32_t halfWay = alphaAt(shadow, column, rowAt(kShadowRimV * 0.6f));
    EXPECT_GT(halfWay, 40u) << "the fall-off is soft, not a hard edge";
    EXPECT_LT(halfWay, 215u);
    for (uint32_t y = 1; y < shadow.height; ++y)
        EXPECT_LE(alphaAt(shadow, column, y), alphaAt(shadow, column, y - 1)) << "row " << y;
}

TEST(RiderTextures, GaugeBarAndGlowHalvesStayApart) {
    const Image gauge = boostGaugeTexture();
    ASSERT_EQ(gauge.width, static_cast<uint32_t>(kGaugeWidth));
    ASSERT_EQ(gauge.height, static_cast<uint32_t>(kGaugeHeight));
    const uint32_t half = gauge.height / 2;
    // Filtering at v = 0.5 blends the rows either side of the middle: both are clear.
    for (uint32_t x = 0; x < gauge.width; ++x) {
        EXPECT_EQ(alphaAt(gauge, x, half - 1), 0u) << x;
        EXPECT_EQ(alphaAt(gauge, x, half), 0u) << x;
    }
    // The bar is solid and light, so the vertex colours tint it into red, yellow or blue.
    for (uint32_t x = 16; x < gauge.width - 16; x += 8) {
        EXPECT_EQ(alphaAt(gauge, x, half / 2), 255u) << x;
        EXPECT_GT(brightness(gauge.at(x, half / 2)), 0.6f) << x;
    }
    EXPECT_EQ(alphaAt(gauge, 0, 0), 0u) << "the bar's corners are rounded off";
}

TEST(RiderTextures, GaugeGlowIsAHaloBrightestAtTheBarsEdge) {
    const Image gauge = boostGaugeTexture();
    const uint32_t middle = gauge.width / 2;
    uint32_t rim = 0;
    for (uint32_t y = gauge.height / 2; y < gauge.height; ++y)
        rim = std::max(rim, alphaAt(gauge, middle, y));
    EXPECT_GT(rim, 200u);
    EXPECT_LT(alphaAt(gauge, middle, gauge.height * 3 / 4), rim / 2) << "the centre lets the bar show";
    EXPECT_EQ(alphaAt(gauge, middle, gauge.height - 1), 0u);
}

TEST(RiderTextures, FlameFramesAreSeamlessFadeAtTheTailAndDiffer) {
    std::vector<Image> frames;
    for (int f = 0; f < kFlameFrames; ++f)
        frames.push_back(boostFlameTexture(f));
    for (const Image& frame : frames) {
        ASSERT_EQ(frame.width, static_cast<uint32_t>(kFlameSize));
        EXPECT_TRUE(tilesAcross(frame)) << "u wraps all the way round the shell";
        uint32_t solid = 0, clear = 0;
        for (uint32_t x = 0; x < frame.width; ++x) {
            EXPECT_EQ(alphaAt(frame, x, frame.height - 1), 0u) << "the tail tip fades out";
            const uint32_t a = alphaAt(frame, x, frame.height / 2);
            solid += a > 180 ? 1 : 0;
            clear += a < 100 ? 1 : 0;
        }
        EXPECT_GT(solid, 0u) << "bright tongues of flame";
        EXPECT_GT(clear, 0u) << "gaps between them to see the rider through";
    }
    EXPECT_NE(frames[0].pixels, frames[1].pixels);
    EXPECT_NE(frames[1].pixels, frames[2].pixels);
}

TEST(RiderTextures, GroundIsALightOpaqueTile) {
    const Image ground = groundTexture();
    float sum = 0.0f, darkest = 1.0f;
    for (uint32_t p : ground.pixels) {
        ASSERT_EQ(p >> 24, 255u);
        sum += brightness(p);
        darkest = std::min(darkest, brightness(p));
    }
    EXPECT_GT(sum / static_cast<float>(ground.pixels.size()), 0.85f) << "the terrain colours must show";
    EXPECT_GT(darkest, 0.55f);
    EXPECT_TRUE(tilesAcross(ground));
    EXPECT_TRUE(tilesAcross(transposed(ground)));
}

TEST(RiderTextures, GeneratorWritesEveryTextureAsTheGameReadsIt) {
    test::TempDir dir;
    std::ostringstream log;
    OutputFolder out(dir.path().string(), log);
    const TextRenderer text;
    const Synth synth(22050.0f);
    GeneratorContext context{out, text, synth};
    writeRiderTextures(context);
    const std::pair<const char*, Image> expected[] = {
        {"tex/ground.dds", groundTexture()},      {"tex/shadow.dds", shadowTexture()},
        {"tex/bgauge.dds", boostGaugeTexture()},  {"tex/boost0.dds", boostFlameTexture(0)},
        {"tex/boost1.dds", boostFlameTexture(1)}, {"tex/boost2.dds", boostFlameTexture(2)}};
    for (const auto& [name, image] : expected) {
        const std::optional<Image> read = loadDdsFile(dir.file(name));
        ASSERT_TRUE(read.has_value()) << name;
        EXPECT_EQ(read->pixels, image.pixels) << name;
    }
}

} // namespace
} // namespace qv::content
