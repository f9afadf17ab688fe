#include "platform/GraphicsDevice.h"
#include "platform/OverlayFrame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

TEST(OverlayFrameTest, StretchedCoversAnyPictureAndMovesNothing) {
    for (auto [w, h] : {std::pair{640u, 480u}, std::pair{1280u, 720u}, std::pair{333u, 517u}}) {
        const OverlayFrame frame = OverlayFrame::stretched(w, h);
        EXPECT_EQ(frame.bounds(), OverlayRect{});
        // Exactly: the classic picture must come out bit for bit.
        EXPECT_EQ(frame.clipFit(), OverlayFrame::ClipFit{});
    }
}

struct Shape {
    uint32_t width, height;
    LetterboxRect frame;
    OverlayRect bounds;
};

TEST(OverlayFrameTest, FramedKeepsTheOverlayAt4By3InTheMiddleOfEveryShape) {
    const Shape shapes[] = {
        {1920, 1080, {240, 0, 1440, 1080}, {-320.0f / 3, 0, 640 + 320.0f / 3, 480}}, // 16:9
        {2560, 1080, {560, 0, 1440, 1080}, {-248.888885f, 0, 888.888916f, 480}},     // 21:9
        {1024, 768, {0, 0, 1024, 768}, {0, 0, 640, 480}},                            // 4:3
        {1280, 1024, {0, 32, 1280, 960}, {0, -16, 640, 496}},                        // 5:4
    };
    for (const Shape& s : shapes) {
        SCOPED_TRACE(std::to_string(s.width) + " x " + std::to_string(s.height));
        const OverlayFrame frame = OverlayFrame::framed(s.width, s.height);
        EXPECT_EQ(frame.pixels(), s.frame);
        const OverlayRect b = frame.bounds();
        EXPECT_NEAR(b.left, s.bounds.left, 1e-3);
        EXPECT_NEAR(b.top, s.bounds.top, 1e-3);
        EXPECT_NEAR(b.right, s.bounds.right, 1e-3);
        EXPECT_NEAR(b.bottom, s.bounds.bottom, 1e-3);
    }
}

TEST(OverlayFrameTest, APictureWithoutPixelsGivesTheClassicLayout) {
    EXPECT_EQ(OverlayFrame::framed(0, 0).bounds(), OverlayRect{});
    EXPECT_EQ(OverlayFrame::framed(0, 0).clipFit(), OverlayFrame::ClipFit{});
}

const Matrix4 kClassic = Matrix4::perspectiveFovLH(GraphicsDevice::kFieldOfView, GraphicsDevice::kAspect,
                                                   GraphicsDevice::kNearPlane, 100.0f);

TEST(WidescreenProjectionTest, WiderPicturesKeepTheVerticalViewAndSeeMoreToTheSides) {
    for (auto [w, h] : {std::pair{1920u, 1080u}, std::pair{2560u, 1080u}, std::pair{1330u, 1000u}}) {
        const Matrix4 p = GraphicsDevice::projectionFor(w, h, 100.0f);
        EXPECT_FLOAT_EQ(p.m[1][1], kClassic.m[1][1]);
        // Square pixels: a unit in x covers as many pixels as a unit in y.
        EXPECT_NEAR(p.m[0][0] * static_cast<float>(w), p.m[1][1] * static_cast<float>(h), 1e-3 * w);
        EXPECT_LE(p.m[0][0], kClassic.m[0][0] + 1e-6f);
        EXPECT_EQ(p.m[2][2], kClassic.m[2][2]);
        EXPECT_EQ(p.m[3][2], kClassic.m[3][2]);
    }
}

TEST(WidescreenProjectionTest, NarrowerPicturesKeepTheHorizontalViewAndSeeMoreAboveAndBelow) {
    for (auto [w, h] : {std::pair{1280u, 1024u}, std::pair{480u, 640u}}) {
        const Matrix4 p = GraphicsDevice::projectionFor(w, h, 100.0f);
        EXPECT_NEAR(p.m[0][0], kClassic.m[0][0], 1e-5);
        EXPECT_NEAR(p.m[0][0] * static_cast<float>(w), p.m[1][1] * static_cast<float>(h), 1e-3 * w);
        EXPECT_LT(p.m[1][1], kClassic.m[1][1]);
    }
}

TEST(WidescreenProjectionTest, NoPictureGivesTheClassicProjection) {
    EXPECT_EQ(GraphicsDevice::projectionFor(0, 720, 100.0f), kClassic);
    EXPECT_EQ(GraphicsDevice::projectionFor(1280, 0, 100.0f), kClassic);
}

} // namespace
} // namespace qv
