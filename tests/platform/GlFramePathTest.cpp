#include "platform/GlRenderDevice.h"
#include "platform/SdlWindow.h"
#include "support/KeepLoadedLibraries.h"
#include "support/PixelColours.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

// Static geometry, the window as the frame target and the render scale on the real device,
// through SDL's offscreen driver. Its surface keeps a frame after present, so a test can read
// the window's pixels after the device has shown them.
namespace qv {
namespace {

constexpr uint32_t kWidth = 160, kHeight = 120;
constexpr float kFar = 100.0f;
using namespace test::colour;

// A device of its own for each test: the options differ, and each owns its context.
struct Rig {
    explicit Rig(GlPresentOptions options)
        : window("test", kWidth, kHeight, false), device(window, kWidth, kHeight, options) {
        test::keepLoadedLibraries();
        device.setRenderState(RenderState::CullMode, kCullNone);
        device.setRenderState(RenderState::Lighting, 0);
        device.setVertexFormat(fvf::kWorld);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    void frame(const std::function<void()>& draw) {
        device.beginFrame(kBlack, kFar);
        draw();
        device.endFrame();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    Image readBack() {
        Image image;
        EXPECT_TRUE(device.readBackBuffer(image));
        return image;
    }

    SdlWindow window;
    GlRenderDevice device;
};

// What the window shows, top row first, in the back buffer's colour words.
Image windowPixels() {
    Image image{kWidth, kHeight, std::vector<Argb>(static_cast<size_t>(kWidth) * kHeight)};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    std::vector<Argb> rows(image.pixels.size());
    glReadPixels(0, 0, kWidth, kHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x)
            image.pixels[static_cast<size_t>(y) * kWidth + x] =
                rows[static_cast<size_t>(kHeight - 1 - y) * kWidth + x] | 0xFF000000u;
    return image;
}

// Overlapping triangles at many depths and colours, with texture coordinates for a texture.
std::vector<WorldVertex> scatteredTriangles() {
    std::vector<WorldVertex> v;
    for (int i = 0; i < 24; ++i) {
        const float z = 3.0f + static_cast<float>(i % 7);
        const float x = static_cast<float>(i % 5) * 0.3f * z - 0.6f * z;
        const float y = static_cast<float>(i % 3) * 0.25f * z - 0.3f * z;
        const Argb colour = 0xFF000000u | (0x3A7Bu * static_cast<uint32_t>(i + 1) * 0x10001u & 0xFFFFFFu);
        v.push_back({x, y, z, colour, 0.0f, 0.0f});
        v.push_back({x + 0.5f * z, y + 0.1f * z, z + 1.0f, colour, 1.0f, 0.0f});
        v.push_back({x + 0.1f * z, y + 0.45f * z, z - 0.5f, colour ^ 0x00FF00u, 0.0f, 1.0f});
    }
    return v;
}

TEST(GlStaticGeometryTest, RangesOfAListDrawLikeTheSameVerticesStreamed) {
    Rig rig({});
    const std::vector<WorldVertex> triangles = scatteredTriangles();
    auto texture = rig.device.createTexture(Image{2, 2, {kWhite, kRed, kBlue, 0x80FFFFFF}});
    auto stored = rig.device.createStaticVertices(triangles.data(), static_cast<uint32_t>(triangles.size()),
                                                  sizeof(WorldVertex));
    ASSERT_NE(stored, nullptr);
    // Every third triangle left out, as the terrain leaves out the cells out of sight.
    std::vector<WorldVertex> kept;
    std::vector<VertexRange> ranges;
    for (uint32_t t = 0; t < triangles.size() / 3; ++t) {
        if (t % 3 == 2)
            continue;
        kept.insert(kept.end(), triangles.begin() + 3 * t, triangles.begin() + 3 * t + 3);
        if (!ranges.empty() && ranges.back().first + ranges.back().count == 3 * t)
            ranges.back().count += 3;
        else
            ranges.push_back({3 * t, 3});
    }
    rig.frame([&] {
        rig.device.setTexture(texture.get());
        rig.device.drawPrimitiveUP(PrimitiveType::TriangleList, static_cast<uint32_t>(kept.size() / 3),
                                   kept.data(), sizeof(WorldVertex));
    });
    const Image streamed = rig.readBack();
    rig.frame([&] {
        rig.device.setTexture(texture.get());
        rig.device.drawStatic(*stored, PrimitiveType::TriangleList, ranges);
    });
    EXPECT_EQ(rig.readBack().pixels, streamed.pixels);
    EXPECT_NE(streamed.at(40, 40), kBlack);
}

TEST(GlStaticGeometryTest, EachRangeOfAStripIsAStripOfItsOwn) {
    Rig rig({});
    const std::array<WorldVertex, 8> strips{{{-4, -1, 5, kRed, 0, 0},
                                             {-4, 1, 5, kRed, 0, 0},
                                             {-1, -1, 5, kRed, 0, 0},
                                             {-1, 1, 5, kRed, 0, 0},
                                             {1, -1, 5, kBlue, 0, 0},
                                             {1, 1, 5, kBlue, 0, 0},
                                             {4, -1, 5, kBlue, 0, 0},
                                             {4, 1, 5, kBlue, 0, 0}}};
    auto stored = rig.device.createStaticVertices(strips.data(), 8, sizeof(WorldVertex));
    rig.frame([&] {
        rig.device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, strips.data(), sizeof(WorldVertex));
        rig.device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, strips.data() + 4, sizeof(WorldVertex));
    });
    const Image streamed = rig.readBack();
    const std::array<VertexRange, 2> two{{{0, 4}, {4, 4}}};
    rig.frame([&] { rig.device.drawStatic(*stored, PrimitiveType::TriangleStrip, two); });
    const Image image = rig.readBack();
    EXPECT_EQ(image.pixels, streamed.pixels);
    // Nothing joins the two strips across the gap between them.
    EXPECT_EQ(image.at(kWidth / 2, kHeight / 2), kBlack);
    EXPECT_EQ(image.at(kWidth / 2 - 40, kHeight / 2), kRed);
}

TEST(GlStaticGeometryTest, RangesPastTheVerticesDrawNothing) {
    Rig rig({});
    const std::vector<WorldVertex> triangles = scatteredTriangles();
    auto stored = rig.device.createStaticVertices(triangles.data(), 6, sizeof(WorldVertex));
    const std::array<VertexRange, 2> ranges{{{0, 3}, {3, 6}}};
    rig.frame([&] { rig.device.drawStatic(*stored, PrimitiveType::TriangleList, ranges); });
    const Image image = rig.readBack();
    for (Argb pixel : image.pixels)
        ASSERT_EQ(pixel, kBlack);
}

std::array<MeshVertex, 4> litSquare() {
    return {{{-1, -1, 5, 0, 0, -1, 0, 0},
             {-1, 1, 5, 0, 0.6f, -0.8f, 0, 1},
             {1, -1, 5, 0.6f, 0, -0.8f, 1, 0},
             {1, 1, 5, 0, 0, -1, 1, 1}}};
}

TEST(GlStaticGeometryTest, StaticMeshDrawsLikeTheIndexedTrianglesStreamed) {
    Rig rig({});
    rig.device.setRenderState(RenderState::Lighting, 1);
    rig.device.setLight(0, Light{{0.8f, 0.7f, 0.6f, 1}, {}, {0.1f, 0.1f, 0.1f, 1}, {}, {0.3f, -0.2f, 1}});
    rig.device.lightEnable(0, true);
    rig.device.setMaterial(Material{{1, 0.5f, 0.25f, 1}, {0.5f, 0.5f, 0.5f, 1}, {}, {0.05f, 0, 0, 0}, 0});
    const std::array<MeshVertex, 4> vertices = litSquare();
    const std::array<uint32_t, 6> indices{0, 1, 2, 2, 1, 3};
    auto mesh = rig.device.createStaticMesh(vertices, indices);
    rig.device.setVertexFormat(fvf::kMesh);
    rig.frame([&] { rig.device.drawIndexedTriangles(vertices.data(), 4, indices.data(), 2); });
    const Image streamed = rig.readBack();
    rig.frame([&] { rig.device.drawStaticMesh(*mesh); });
    EXPECT_EQ(rig.readBack().pixels, streamed.pixels);
    EXPECT_NE(streamed.at(kWidth / 2, kHeight / 2), kBlack);
}

TEST(GlStaticGeometryTest, MeshWithAnIndexPastItsVerticesKeepsNoTriangles) {
    Rig rig({});
    const std::array<MeshVertex, 4> vertices = litSquare();
    const std::array<uint32_t, 6> indices{0, 1, 2, 2, 1, 4};
    auto mesh = rig.device.createStaticMesh(vertices, indices);
    ASSERT_NE(mesh, nullptr);
    rig.device.setVertexFormat(fvf::kMesh);
    rig.frame([&] { rig.device.drawStaticMesh(*mesh); });
    EXPECT_EQ(rig.readBack().at(kWidth / 2, kHeight / 2), kBlack);
}

// A frame with a bit of everything: 3D behind and in front, blending, an overlay over it.
void mixedFrame(GraphicsDevice& device, const std::vector<WorldVertex>& triangles) {
    device.setRenderState(RenderState::AlphaBlendEnable, 1);
    device.setVertexFormat(fvf::kWorld);
    device.drawPrimitiveUP(PrimitiveType::TriangleList, static_cast<uint32_t>(triangles.size() / 3),
                           triangles.data(), sizeof(WorldVertex));
    const std::array<OverlayVertex, 4> overlay{{{10, 10, 0, 1, 0x80FFFF00, 0, 0},
                                                {300, 10, 0, 1, 0x80FFFF00, 1, 0},
                                                {10, 200, 0, 1, 0x80FFFF00, 0, 1},
                                                {300, 200, 0, 1, 0x80FFFF00, 1, 1}}};
    device.setVertexFormat(fvf::kOverlay);
    device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, overlay.data(), sizeof(OverlayVertex));
}

TEST(GlFrameTargetTest, FrameDrawnStraightIntoTheWindowLooksTheSameAsInTheBackBuffer) {
    const std::vector<WorldVertex> triangles = scatteredTriangles();
    Image offscreen;
    {
        Rig rig({});
        rig.frame([&] { mixedFrame(rig.device, triangles); });
        offscreen = rig.readBack();
    }
    Rig rig({.readableFrames = false});
    rig.frame([&] { mixedFrame(rig.device, triangles); });
    Image ignored;
    EXPECT_FALSE(rig.device.readBackBuffer(ignored)) << "the window need not keep a frame it has shown";
    EXPECT_EQ(windowPixels().pixels, offscreen.pixels);
}

// The scene at the lowest render scale, the overlay at full size.
TEST(GlRenderScaleTest, SlowFramesDrawTheSceneSmallerAndTheOverlayAtFullSize) {

    // A red and blue edge in the scene and a one-pixel white line in the overlay, both at an odd
    // pixel: at half size the edge is blended across pixels, the line must stay one sharp column.
    const std::array<WorldVertex, 8> halves{{{-8, -8, 5, kRed, 0, 0},
                                             {-8, 8, 5, kRed, 0, 0},
                                             {0.1f, -8, 5, kRed, 0, 0},
                                             {0.1f, 8, 5, kRed, 0, 0},
                                             {0.1f, -8, 5, kBlue, 0, 0},
                                             {0.1f, 8, 5, kBlue, 0, 0},
                                             {8, -8, 5, kBlue, 0, 0},
                                             {8, 8, 5, kBlue, 0, 0}}};
    const float column = 4.0f * 101.0f; // overlay units are 4 back-buffer pixels wide here
    const std::array<OverlayVertex, 4> line{{{column, 0, 0, 1, kWhite, 0, 0},
                                             {column + 4.0f, 0, 0, 1, kWhite, 0, 0},
                                             {column, 480, 0, 1, kWhite, 0, 0},
                                             {column + 4.0f, 480, 0, 1, kWhite, 0, 0}}};
    // One device at a time: each makes its own context current.
    auto picture = [&](float scale) {
        Rig rig({.readableFrames = true, .fixedScale = scale});
        EXPECT_EQ(rig.device.renderScale(), scale);
        rig.frame([&] {
            rig.device.setVertexFormat(fvf::kWorld);
            rig.device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, halves.data(), sizeof(WorldVertex));
            rig.device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, halves.data() + 4,
                                       sizeof(WorldVertex));
            rig.device.setVertexFormat(fvf::kOverlay);
            rig.device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, line.data(), sizeof(OverlayVertex));
        });
        return rig.readBack();
    };
    const Image full = picture(1.0f);
    const Image scaled = picture(RenderScale::kLevels.back());

    const uint32_t row = kHeight / 2;
    auto isPure = [](Argb c) { return c == kRed || c == kBlue; };
    int blendedFull = 0, blendedScaled = 0;
    for (uint32_t x = 60; x < 100; ++x) {
        blendedFull += !isPure(full.at(x, row));
        blendedScaled += !isPure(scaled.at(x, row));
    }
    EXPECT_EQ(blendedFull, 0);
    EXPECT_GT(blendedScaled, 0);
    for (const Image* image : {&full, &scaled}) {
        EXPECT_EQ(image->at(101, row), kWhite);
        EXPECT_EQ(image->at(100, row), kBlue);
        EXPECT_EQ(image->at(102, row), kBlue);
    }
}

// Reads the frame once the game has drawn it, then draws a white band over its bottom, as the
// screenshot key and its notice do.
class ReadThenDraw : public FrameOverlay {
  public:
    void drawOver(GraphicsDevice& device) override {
        read = device.readFrame(picture);
        const std::array<OverlayVertex, 4> band{{{0, 400, 0, 1, kWhite, 0, 0},
                                                 {640, 400, 0, 1, kWhite, 1, 0},
                                                 {0, 480, 0, 1, kWhite, 0, 1},
                                                 {640, 480, 0, 1, kWhite, 1, 1}}};
        device.setVertexFormat(fvf::kOverlay);
        device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, band.data(), sizeof(OverlayVertex));
    }

    bool read = false;
    Image picture;
};

// The frame read before present is the game's picture without what the overlay drew after,
// wherever the frame is composed: in the back buffer, straight in the window, or with the 3D
// part drawn smaller and not yet enlarged (a frame without overlay draws of its own).
TEST(GlFrameReadTest, TheFrameReadBeforeItIsShownIsTheGamesPictureInEveryTarget) {
    const std::vector<WorldVertex> triangles = scatteredTriangles();
    auto sceneOnly = [&](GraphicsDevice& device) {
        device.setVertexFormat(fvf::kWorld);
        device.drawPrimitiveUP(PrimitiveType::TriangleList, static_cast<uint32_t>(triangles.size() / 3),
                               triangles.data(), sizeof(WorldVertex));
    };
    auto mixed = [&](GraphicsDevice& device) { mixedFrame(device, triangles); };
    struct Case {
        GlPresentOptions options;
        std::function<void(GraphicsDevice&)> draw;
    };
    const Case cases[] = {{{}, mixed},
                          {{.readableFrames = false}, mixed},
                          {{.readableFrames = true, .fixedScale = 0.5f}, sceneOnly}};
    for (const Case& c : cases) {
        // The same frame on a device that keeps it, without the overlay: the picture expected.
        Image expected;
        {
            Rig rig({.readableFrames = true, .fixedScale = c.options.fixedScale});
            rig.frame([&] { c.draw(rig.device); });
            expected = rig.readBack();
        }
        Rig rig(c.options);
        ReadThenDraw overlay;
        rig.device.setFrameOverlay(&overlay);
        rig.frame([&] { c.draw(rig.device); });
        ASSERT_TRUE(overlay.read);
        ASSERT_EQ(overlay.picture.width, kWidth);
        ASSERT_EQ(overlay.picture.height, kHeight);
        EXPECT_EQ(overlay.picture.pixels, expected.pixels)
            << c.options.readableFrames << c.options.fixedScale;
        const Image shown = c.options.readableFrames ? rig.readBack() : windowPixels();
        EXPECT_EQ(shown.at(kWidth / 2, kHeight - 2), kWhite);
        EXPECT_NE(overlay.picture.at(kWidth / 2, kHeight - 2), kWhite);
        rig.device.setFrameOverlay(nullptr);
    }
}

} // namespace
} // namespace qv
