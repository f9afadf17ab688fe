#include "platform/GlRenderDevice.h"
#include "platform/SdlWindow.h"
#include "support/KeepLoadedLibraries.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

// Static geometry on the real device, through SDL's offscreen driver.
namespace qv {
namespace {

constexpr uint32_t kWidth = 160, kHeight = 120;
constexpr float kFar = 100.0f;
constexpr Argb kBlack = 0xFF000000;
constexpr Argb kRed = 0xFFFF0000;
constexpr Argb kBlue = 0xFF0000FF;
constexpr Argb kWhite = 0xFFFFFFFF;

// A device of its own for each test.
struct Rig {
    Rig() : window("test", kWidth, kHeight, false), device(window, kWidth, kHeight) {
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
    Rig rig;
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
    Rig rig;
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
    Rig rig;
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
    Rig rig;
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
    Rig rig;
    const std::array<MeshVertex, 4> vertices = litSquare();
    const std::array<uint32_t, 6> indices{0, 1, 2, 2, 1, 4};
    auto mesh = rig.device.createStaticMesh(vertices, indices);
    ASSERT_NE(mesh, nullptr);
    rig.device.setVertexFormat(fvf::kMesh);
    rig.frame([&] { rig.device.drawStaticMesh(*mesh); });
    EXPECT_EQ(rig.readBack().at(kWidth / 2, kHeight / 2), kBlack);
}

} // namespace
} // namespace qv
