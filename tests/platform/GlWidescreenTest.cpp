#include "platform/GlRenderDevice.h"
#include "platform/OverlayFrame.h"
#include "platform/SdlWindow.h"
#include "support/KeepLoadedLibraries.h"
#include "support/PixelColours.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

// The widescreen picture on the real device through SDL's offscreen driver: the back buffer takes
// the window's shape, the 3D view fills it and the overlay keeps its shape in a 4:3 frame.
namespace qv {
namespace {

constexpr float kFar = 100.0f;
using namespace test::colour;

struct Rig {
    Rig(uint32_t width, uint32_t height, PictureMode picture = PictureMode::Widescreen)
        : window("test", width, height, false), device(window, 160, 120, {true, 0.0, 0.0f, picture}) {
        test::keepLoadedLibraries();
        device.setRenderState(RenderState::CullMode, kCullNone);
        device.setRenderState(RenderState::Lighting, 0);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    Image frame(const std::function<void()>& draw) {
        device.beginFrame(kBlack, kFar);
        draw();
        device.endFrame();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        Image image;
        EXPECT_TRUE(device.readBackBuffer(image));
        return image;
    }
    void world(float x0, float y0, float x1, float y1, float z, Argb colour) {
        std::array<WorldVertex, 4> quad{{{x0, y1, z, colour, 0, 0},
                                         {x1, y1, z, colour, 1, 0},
                                         {x0, y0, z, colour, 0, 1},
                                         {x1, y0, z, colour, 1, 1}}};
        device.setVertexFormat(fvf::kWorld);
        device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(WorldVertex));
    }
    void overlay(const OverlayRect& r, Argb colour) {
        std::array<OverlayVertex, 4> quad{{{r.left, r.top, 0, 1, colour, 0, 0},
                                           {r.right, r.top, 0, 1, colour, 1, 0},
                                           {r.left, r.bottom, 0, 1, colour, 0, 1},
                                           {r.right, r.bottom, 0, 1, colour, 1, 1}}};
        device.setVertexFormat(fvf::kOverlay);
        device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(OverlayVertex));
    }

    SdlWindow window;
    GlRenderDevice device;
};

// The smallest rectangle holding every pixel of a colour; empty when there is none.
LetterboxRect extentOf(const Image& image, Argb colour) {
    int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    for (uint32_t y = 0; y < image.height; ++y)
        for (uint32_t x = 0; x < image.width; ++x)
            if (image.at(x, y) == colour) {
                left = std::min(left, static_cast<int32_t>(x));
                right = std::max(right, static_cast<int32_t>(x));
                top = std::min(top, static_cast<int32_t>(y));
                bottom = std::max(bottom, static_cast<int32_t>(y));
            }
    if (right < 0)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

struct Shape {
    const char* name;
    uint32_t width, height;
};

class GlWidescreenTest : public ::testing::TestWithParam<Shape> {};

// A HUD element in the top-left corner and one in the bottom-right corner of the overlay over a
// 3D picture that fills the view: both sit in the corners of the centred 4:3 frame, square
// stays square, and the 3D reaches every edge of the picture.
TEST_P(GlWidescreenTest, TheOverlayKeepsItsShapeInACentred4By3FrameOverA3DViewThatFillsThePicture) {
    const Shape shape = GetParam();
    Rig rig(shape.width, shape.height);
    const Image image = rig.frame([&] {
        rig.world(-1000, -1000, 1000, 1000, 50, kGreen);
        rig.overlay({0, 0, 60, 60}, kRed);
        rig.overlay({580, 420, 640, 480}, kWhite);
    });
    ASSERT_EQ(image.width, shape.width);
    ASSERT_EQ(image.height, shape.height);
    EXPECT_EQ(rig.device.backBufferWidth(), shape.width);

    const uint32_t midX = shape.width / 2, midY = shape.height / 2;
    for (auto [x, y] : {std::pair{0u, midY}, std::pair{shape.width - 1, midY}, std::pair{midX, 0u},
                        std::pair{midX, shape.height - 1}})
        EXPECT_EQ(image.at(x, y), kGreen) << "3D at the picture's edge " << x << ", " << y;

    const LetterboxRect frame = letterbox(640, 480, shape.width, shape.height);
    const double pixelsPerUnit = frame.width / 640.0;
    const LetterboxRect topLeft = extentOf(image, kRed);
    EXPECT_NEAR(topLeft.x, frame.x, 1);
    EXPECT_NEAR(topLeft.y, frame.y, 1);
    EXPECT_NEAR(topLeft.width, 60 * pixelsPerUnit, 1.0);
    EXPECT_NEAR(topLeft.width, topLeft.height, 1) << "stretched";
    const LetterboxRect bottomRight = extentOf(image, kWhite);
    EXPECT_NEAR(bottomRight.x + bottomRight.width, frame.x + frame.width, 1);
    EXPECT_NEAR(bottomRight.y + bottomRight.height, frame.y + frame.height, 1);
    EXPECT_NEAR(bottomRight.width, bottomRight.height, 1) << "stretched";
}

// A square in the world is square on the screen, and as tall as the view's field says: the same
// share of the picture's height on every picture at least 4:3 wide.
TEST_P(GlWidescreenTest, The3DViewTakesThePicturesShapeWithoutStretching) {
    const Shape shape = GetParam();
    Rig rig(shape.width, shape.height);
    const Image image = rig.frame([&] { rig.world(-1, -1, 1, 1, 10, kGreen); });
    const LetterboxRect square = extentOf(image, kGreen);
    EXPECT_NEAR(square.width, square.height, 1) << "stretched";
    const Matrix4 lens = GraphicsDevice::projectionFor(shape.width, shape.height, kFar);
    EXPECT_NEAR(square.height, lens.m[1][1] * 0.1 * shape.height, 1.5);
    if (shape.width * 3 >= shape.height * 4) {
        const Matrix4 classic = GraphicsDevice::projectionFor(640, 480, kFar);
        EXPECT_NEAR(square.height, classic.m[1][1] * 0.1 * shape.height, 1.5) << "not the classic height";
    }
}

// What the game draws over the whole screen (fades, the start picture) spans the overlay's
// bounds, which reach every edge of the picture.
TEST_P(GlWidescreenTest, FullScreenOverlaysReachEveryEdgeThroughTheOverlayBounds) {
    const Shape shape = GetParam();
    Rig rig(shape.width, shape.height);
    const Image image = rig.frame([&] {
        rig.overlay(rig.device.overlayBounds(), kBlue);
        rig.overlay({0, 0, 640, 480}, kRed);
    });
    size_t covered = 0;
    for (Argb pixel : image.pixels)
        covered += pixel == kBlue || pixel == kRed;
    EXPECT_EQ(covered, image.pixels.size());
    EXPECT_EQ(extentOf(image, kRed), letterbox(640, 480, shape.width, shape.height));
}

INSTANTIATE_TEST_SUITE_P(Shapes, GlWidescreenTest,
                         ::testing::Values(Shape{"4by3", 320, 240}, Shape{"16by9", 384, 216},
                                           Shape{"21by9", 512, 216}, Shape{"5by4", 300, 240}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GlWidescreenWindowTest, TheBackBufferFollowsTheWindowDownToASinglePixel) {
    Rig rig(320, 240);
    auto drawn = [&] { return rig.frame([&] { rig.overlay(rig.device.overlayBounds(), kBlue); }); };
    SDL_SetWindowSize(rig.window.handle(), 400, 200);
    Image wide = drawn();
    EXPECT_EQ(wide.width, 400u);
    EXPECT_EQ(wide.height, 200u);
    EXPECT_EQ(extentOf(wide, kBlue), (LetterboxRect{0, 0, 400, 200}));

    SDL_SetWindowMinimumSize(rig.window.handle(), 1, 1);
    SDL_SetWindowSize(rig.window.handle(), 1, 1);
    Image tiny = drawn();
    EXPECT_EQ(tiny.width, 1u);
    EXPECT_EQ(tiny.height, 1u);

    SDL_SetWindowSize(rig.window.handle(), 320, 240);
    EXPECT_EQ(drawn().width, 320u);
}

// A window larger than the driver can draw (a new display, say) keeps the last picture, scaled.
TEST(GlWidescreenWindowTest, ASizeTheDriverCannotTakeKeepsTheLastBackBuffer) {
    Rig rig(320, 240);
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    SDL_SetWindowSize(rig.window.handle(), largest + 1, 240);
    const Image image = rig.frame([&] { rig.overlay(rig.device.overlayBounds(), kBlue); });
    EXPECT_EQ(image.width, 320u);
    EXPECT_EQ(image.height, 240u);
    EXPECT_EQ(extentOf(image, kBlue), (LetterboxRect{0, 0, 320, 240}));
}

TEST(GlWidescreenWindowTest, TheClassicPictureKeepsItsSizeAndStretchesTheOverlayOverIt) {
    Rig rig(384, 216, PictureMode::Classic);
    const Image image = rig.frame([&] { rig.overlay({0, 0, 320, 240}, kRed); });
    EXPECT_EQ(image.width, 160u);
    EXPECT_EQ(image.height, 120u);
    EXPECT_EQ(rig.device.overlayBounds(), OverlayRect{});
    EXPECT_EQ(extentOf(image, kRed), (LetterboxRect{0, 0, 80, 60}));
}

// Along the picture's edge a texture is read half from beyond it: from the clear border in the
// classic picture (the dark seams between the ground's cells), from its other edge or its own
// edge in the widescreen picture when the game asks for that.
TEST(GlWidescreenWindowTest, TexturesAreReadPastTheirEdgesAsAskedInTheWidescreenPictureOnly) {
    const Image white{2, 2, {kWhite, kWhite, kWhite, kWhite}};
    auto edgePixel = [&](PictureMode picture, TextureEdges edges) {
        Rig rig(320, 240, picture);
        auto texture = rig.device.createTexture(white);
        rig.device.setTextureEdges(*texture, edges);
        const Image image = rig.frame([&] {
            rig.device.setTexture(texture.get());
            rig.overlay(rig.device.overlayBounds(), kWhite);
        });
        return image.at(0, image.height / 2) & 0xFF;
    };
    EXPECT_EQ(edgePixel(PictureMode::Widescreen, TextureEdges::Repeat), 0xFFu);
    EXPECT_EQ(edgePixel(PictureMode::Widescreen, TextureEdges::Clamp), 0xFFu);
    EXPECT_LT(edgePixel(PictureMode::Widescreen, TextureEdges::Border), 0xC0u);
    EXPECT_LT(edgePixel(PictureMode::Classic, TextureEdges::Repeat), 0xC0u)
        << "the classic look keeps its seams";
}

} // namespace
} // namespace qv
