#include "scene/StartSignal.h"
#include "core/FatalError.h"
#include "formats/DdsWriter.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

uint32_t alpha(const OverlayVertex& v) {
    return v.diffuse >> 24;
}

class StartSignalTest : public ::testing::Test {
  protected:
    StartSignalTest() {
        // The demo's picture gets a size of its own so the tests can tell the two apart.
        Image demo;
        demo.width = demo.height = 16;
        demo.pixels.assign(256, 0xFFFFFFFF);
        content::writeDds(rig.path("Data/tex/startd.dds"), demo);
    }
    test::HeadlessRig rig;
};

TEST_F(StartSignalTest, TheDemoShowsItsOwnPicture) {
    rig.state.demoMode = true;
    EXPECT_EQ(StartSignal(rig.graphics, rig.content, rig.state).texture().width(), 16u);
    rig.state.demoMode = false;
    EXPECT_EQ(StartSignal(rig.graphics, rig.content, rig.state).texture().width(), 8u);
}

TEST_F(StartSignalTest, OpaqueFor99FramesThenFadesFromRightToLeft) {
    StartSignal signal(rig.graphics, rig.content, rig.state);
    for (int n = 1; n <= 99; ++n)
        signal.animate();
    for (const auto& v : signal.quad())
        EXPECT_EQ(alpha(v), 255u);
    signal.animate(); // n = 100
    EXPECT_EQ(alpha(signal.quad()[0]), 255u);
    EXPECT_EQ(alpha(signal.quad()[1]), 255u);
    signal.animate(); // n = 101
    EXPECT_EQ(alpha(signal.quad()[2]), 251u);
    EXPECT_EQ(alpha(signal.quad()[3]), 247u);
    for (int n = 102; n <= 132; ++n)
        signal.animate();
    EXPECT_EQ(alpha(signal.quad()[1]), 0u); // the right edge is gone at 132
    for (int n = 133; n <= 160; ++n)
        signal.animate();
    EXPECT_EQ(alpha(signal.quad()[0]), 15u); // the left edge at the last signal tick
    EXPECT_EQ(alpha(signal.quad()[3]), 0u);
    EXPECT_EQ(signal.quad()[0].diffuse & 0xFFFFFFu, 0xFFFFFFu);
}

TEST_F(StartSignalTest, DrawsAFullScreenStripWithItsPicture) {
    StartSignal signal(rig.graphics, rig.content, rig.state);
    signal.draw();
    ASSERT_EQ(rig.graphics.draws().size(), 1u);
    const auto& draw = rig.graphics.draws()[0];
    EXPECT_EQ(draw.type, PrimitiveType::TriangleStrip);
    EXPECT_EQ(draw.stride, 28u);
    EXPECT_EQ(draw.texture, &signal.texture());
    EXPECT_EQ(draw.world, Matrix4::identity());
    EXPECT_EQ(draw.vertex<OverlayVertex>(3).x, 640.0f);
    EXPECT_EQ(draw.vertex<OverlayVertex>(3).y, 480.0f);
    EXPECT_EQ(draw.vertex<OverlayVertex>(3).u, 1.0f);
}

TEST_F(StartSignalTest, AMissingPictureIsFatal) {
    rig.removeFile("Data/tex/start.dds");
    EXPECT_THROW(StartSignal(rig.graphics, rig.content, rig.state), FatalError);
}

} // namespace
} // namespace qv
