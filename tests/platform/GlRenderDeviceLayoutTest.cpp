#include "platform/GlBackBuffer.h"
#include "platform/GlVertexLayout.h"
#include "platform/RenderTypes.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace qv {
namespace {

// The device reads the game's vertex structs through the format codes: each attribute must
// sit exactly where the struct keeps it.
TEST(GlVertexLayoutTest, FormatsMatchTheGamesVertexStructs) {
    GlVertexLayout world = GlVertexLayout::forFormat(fvf::kWorld);
    EXPECT_TRUE(world.valid);
    EXPECT_FALSE(world.pretransformed);
    EXPECT_EQ(world.size, sizeof(WorldVertex));
    EXPECT_EQ(world.diffuseOffset, static_cast<int>(offsetof(WorldVertex, diffuse)));
    EXPECT_EQ(world.texCoordOffset, static_cast<int>(offsetof(WorldVertex, u)));
    EXPECT_EQ(world.normalOffset, GlVertexLayout::kAbsent);

    GlVertexLayout splash = GlVertexLayout::forFormat(fvf::kSplash);
    EXPECT_EQ(splash.size, sizeof(SplashPoint));
    EXPECT_EQ(splash.diffuseOffset, static_cast<int>(offsetof(SplashPoint, diffuse)));
    EXPECT_EQ(splash.texCoordOffset, GlVertexLayout::kAbsent);

    GlVertexLayout overlay = GlVertexLayout::forFormat(fvf::kOverlay);
    EXPECT_TRUE(overlay.pretransformed);
    EXPECT_EQ(overlay.positionComponents, 4u);
    EXPECT_EQ(overlay.size, sizeof(OverlayVertex));
    EXPECT_EQ(overlay.diffuseOffset, static_cast<int>(offsetof(OverlayVertex, diffuse)));
    EXPECT_EQ(overlay.texCoordOffset, static_cast<int>(offsetof(OverlayVertex, u)));

    GlVertexLayout mesh = GlVertexLayout::forFormat(fvf::kMesh);
    EXPECT_EQ(mesh.size, sizeof(MeshVertex));
    EXPECT_EQ(mesh.normalOffset, static_cast<int>(offsetof(MeshVertex, nx)));
    EXPECT_EQ(mesh.texCoordOffset, static_cast<int>(offsetof(MeshVertex, u)));
    EXPECT_EQ(mesh.diffuseOffset, GlVertexLayout::kAbsent);
}

TEST(GlVertexLayoutTest, FormatsWithoutAPlainPositionAreRefused) {
    EXPECT_FALSE(GlVertexLayout::forFormat(0).valid);
    EXPECT_FALSE(GlVertexLayout::forFormat(fvf::kDiffuse | fvf::kTex1).valid);
    EXPECT_FALSE(GlVertexLayout::forFormat(0x006 | fvf::kDiffuse).valid); // blended positions
}

TEST(LetterboxTest, KeepsTheAspectAndCentres) {
    // Wider target: bars left and right.
    EXPECT_EQ(letterbox(640, 480, 1920, 1080), (LetterboxRect{240, 0, 1440, 1080}));
    // Taller target: bars above and below.
    EXPECT_EQ(letterbox(640, 480, 640, 960), (LetterboxRect{0, 240, 640, 480}));
    // Same aspect, other size: fills it.
    EXPECT_EQ(letterbox(800, 600, 400, 300), (LetterboxRect{0, 0, 400, 300}));
    // The scaled side is rounded, not cut: 40 x 30 into 300 x 100 is 133.3 wide.
    EXPECT_EQ(letterbox(40, 30, 300, 100), (LetterboxRect{83, 0, 133, 100}));
}

TEST(LetterboxTest, EmptySourceOrTargetGivesAnEmptyRect) {
    EXPECT_EQ(letterbox(0, 480, 640, 480), LetterboxRect{});
    EXPECT_EQ(letterbox(640, 480, 0, 0).width, 0);
    EXPECT_EQ(letterbox(640, 480, 0, 0).height, 0);
}

} // namespace
} // namespace qv
