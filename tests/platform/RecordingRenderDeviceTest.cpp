#include "platform/RecordingRenderDevice.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace qv {
namespace {

using Vertices = RecordingRenderDevice::Vertices;

constexpr std::array<OverlayVertex, 4> kQuad{{
    {10.0f, 20.0f, 0.0f, 1.0f, 0xFF102030u, 0.0f, 0.0f},
    {30.0f, 20.0f, 0.0f, 1.0f, 0xFF405060u, 1.0f, 0.0f},
    {10.0f, 40.0f, 0.0f, 1.0f, 0xFF708090u, 0.0f, 1.0f},
    {30.0f, 40.0f, 0.0f, 1.0f, 0xFFA0B0C0u, 1.0f, 1.0f},
}};

void drawQuad(RecordingRenderDevice& device) {
    device.setRenderState(RenderState::ZEnable, 0);
    device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, kQuad.data(), sizeof(OverlayVertex));
}

TEST(RecordingRenderDevice, SkipsVerticesUnlessAskedButRecordsTheDraw) {
    RecordingRenderDevice device;
    drawQuad(device);
    ASSERT_EQ(device.draws().size(), 1u);
    const auto& draw = device.draws()[0];
    EXPECT_EQ(draw.vertexCount, 4u);
    EXPECT_EQ(draw.primitiveCount, 2u);
    EXPECT_EQ(draw.stride, sizeof(OverlayVertex));
    EXPECT_EQ(draw.state(RenderState::ZEnable), 0u);
    EXPECT_TRUE(draw.vertexBytes.empty());
    EXPECT_THROW(draw.vertex<OverlayVertex>(0), std::out_of_range);
}

TEST(RecordingRenderDevice, KeepsACopyOfEveryVertexWhenAsked) {
    RecordingRenderDevice device(Vertices::Keep);
    drawQuad(device);
    ASSERT_EQ(device.draws().size(), 1u);
    const auto& draw = device.draws()[0];
    ASSERT_EQ(draw.vertexBytes.size(), sizeof(kQuad));
    EXPECT_EQ(draw.vertex<OverlayVertex>(3).x, 30.0f);
    EXPECT_EQ(draw.vertex<OverlayVertex>(2).diffuse, 0xFF708090u);
    EXPECT_THROW(draw.vertex<OverlayVertex>(4), std::out_of_range);
}

TEST(RecordingRenderDevice, KeepsIndexedMeshVerticesWhenAsked) {
    const std::array<MeshVertex, 3> triangle{};
    const std::array<uint32_t, 3> indices{0, 1, 2};
    RecordingRenderDevice skipping;
    RecordingRenderDevice keeping(Vertices::Keep);
    for (RecordingRenderDevice* device : {&skipping, &keeping})
        device->drawIndexedTriangles(triangle.data(), 3, indices.data(), 1);
    EXPECT_TRUE(skipping.draws()[0].indexed);
    EXPECT_EQ(skipping.draws()[0].vertexCount, 3u);
    EXPECT_TRUE(skipping.draws()[0].vertexBytes.empty());
    EXPECT_EQ(keeping.draws()[0].vertexBytes.size(), sizeof(triangle));
}

} // namespace
} // namespace qv
