#include "field/Field.h"
#include "scene/FadeQuad.h"
#include "scene/StartSignal.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

#include <vector>

// What the scene's full-screen pictures and the ground ask of a device whose picture is wider
// than the overlay's 4:3 frame.
namespace qv {
namespace {

// A 16:9 picture: the overlay's frame in the middle, a sixth of the picture beside it each side.
constexpr OverlayRect kWide{-320.0f / 3, 0, 640 + 320.0f / 3, 480};

class WideRecorder : public RecordingRenderDevice {
  public:
    WideRecorder() : RecordingRenderDevice(Vertices::Keep) {}
    OverlayRect overlayBounds() const override { return kWide; }
    void setTextureEdges(Texture& texture, TextureEdges edges) override {
        edges_.push_back({&texture, edges});
    }

    struct Edges {
        const Texture* texture;
        TextureEdges edges;
    };
    std::vector<Edges> edges_;
};

class ScreenCoverTest : public ::testing::Test {
  protected:
    test::HeadlessRig rig;
    WideRecorder wide;
};

TEST_F(ScreenCoverTest, TheFadeCoversTheWholePictureBesideTheFrameToo) {
    FadeQuad fade(wide);
    fade.step();
    fade.draw();
    ASSERT_EQ(wide.draws().size(), 1u);
    const auto& draw = wide.draws()[0];
    EXPECT_EQ(draw.vertex<OverlayVertex>(0).x, kWide.left);
    EXPECT_EQ(draw.vertex<OverlayVertex>(0).y, kWide.top);
    EXPECT_EQ(draw.vertex<OverlayVertex>(3).x, kWide.right);
    EXPECT_EQ(draw.vertex<OverlayVertex>(3).y, kWide.bottom);
    EXPECT_EQ(draw.vertex<OverlayVertex>(2).diffuse, 3u << 24);
}

// The start picture keeps its place and shape in the frame (texture coordinates 0..1 across
// 0..640) and reaches the screen's edges with its own edge pixels, never a stretched picture.
TEST_F(ScreenCoverTest, TheStartPictureKeepsItsShapeAndReachesTheEdgesWithItsOwnEdges) {
    StartSignal signal(wide, rig.content, rig.state);
    signal.draw();
    ASSERT_EQ(wide.edges_.size(), 1u);
    EXPECT_EQ(wide.edges_[0].texture, &signal.texture());
    EXPECT_EQ(wide.edges_[0].edges, TextureEdges::Clamp);
    const auto& draw = wide.draws().back();
    const OverlayVertex& left = draw.vertex<OverlayVertex>(0);
    const OverlayVertex& right = draw.vertex<OverlayVertex>(3);
    EXPECT_EQ(left.x, kWide.left);
    EXPECT_EQ(right.x, kWide.right);
    // u runs as x / 640: 0 at the frame's left edge and 1 at its right, beyond them outside it.
    EXPECT_FLOAT_EQ(left.u, kWide.left / 640.0f);
    EXPECT_FLOAT_EQ(right.u, kWide.right / 640.0f);
    EXPECT_FLOAT_EQ(left.v, 0.0f);
    EXPECT_FLOAT_EQ(right.v, 1.0f);
}

TEST_F(ScreenCoverTest, TheGroundAsksToBeReadAcrossItsSeams) {
    Field field(wide, rig.content, rig.state, rig.options());
    ASSERT_EQ(wide.edges_.size(), 1u);
    EXPECT_EQ(wide.edges_[0].edges, TextureEdges::Repeat);
}

} // namespace
} // namespace qv
