#include "platform/GlRenderDevice.h"
#include "assets/PngWriter.h"
#include "platform/GlBackBuffer.h"
#include "platform/SdlWindow.h"
#include "support/KeepLoadedLibraries.h"
#include "support/PixelColours.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>

namespace qv {
namespace {

constexpr float kFar = 100.0f;
using namespace test::colour;

// The device with a way back to its start-up states between tests of one suite.
class TestDevice : public GlRenderDevice {
  public:
    using GlRenderDevice::GlRenderDevice;

    void restart() {
        applyStartupStates();
        setRenderState(RenderState::CullMode, kCullNone);
        setRenderState(RenderState::Ambient, 0);
        setRenderState(RenderState::FogColor, 0);
        setRenderStateFloat(RenderState::PointScaleB, 0.0f);
        setRenderStateFloat(RenderState::PointScaleC, 0.0f);
        setTransform(TransformKind::World, Matrix4::identity());
        setTransform(TransformKind::View, Matrix4::identity());
        setTexture(nullptr);
        setMaterial({});
        lightEnable(0, false);
        setVertexFormat(fvf::kWorld);
    }
};

Argb argbOf(float r, float g, float b) {
    auto byte = [](float v) { return static_cast<Argb>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    return 0xFF000000u | byte(r) << 16 | byte(g) << 8 | byte(b);
}

::testing::AssertionResult colorNear(const Image& image, uint32_t x, uint32_t y, Argb expected,
                                     int tolerance = 3) {
    Argb actual = image.at(x, y);
    for (int shift : {24, 16, 8, 0}) {
        int a = static_cast<int>((actual >> shift) & 0xFF), e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance)
            return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                 << actual << ", expected " << expected;
    }
    return ::testing::AssertionSuccess();
}

// Pixels of one row that have the given colour.
int countInRow(const Image& image, uint32_t y, Argb color) {
    int n = 0;
    for (uint32_t x = 0; x < image.width; ++x)
        n += image.at(x, y) == color;
    return n;
}

struct Pixel {
    int x, y;
};

// Where a point lands by the row-vector maths: clip = p * m, then the divide.
Pixel project(const Vec3& p, const Matrix4& m, uint32_t width, uint32_t height) {
    Vec3 c = transformPoint(p, m);
    float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
    return {static_cast<int>((c.x / w + 1.0f) * 0.5f * static_cast<float>(width)),
            static_cast<int>((1.0f - c.y / w) * 0.5f * static_cast<float>(height))};
}

Matrix4 projection() {
    return Matrix4::perspectiveFovLH(GraphicsDevice::kFieldOfView, GraphicsDevice::kAspect,
                                     GraphicsDevice::kNearPlane, kFar);
}

Image image2x2(Argb topLeft, Argb topRight, Argb bottomLeft, Argb bottomRight) {
    return Image{2, 2, {topLeft, topRight, bottomLeft, bottomRight}};
}

// One window and device per suite; each test starts from the start-up states.
class GlDeviceTest : public ::testing::Test {
  protected:
    static void open(uint32_t width, uint32_t height, uint32_t windowWidth, uint32_t windowHeight) {
        window_ = std::make_unique<SdlWindow>("test", windowWidth, windowHeight, false);
        device_ = std::make_unique<TestDevice>(*window_, width, height);
        test::keepLoadedLibraries();
    }
    static void SetUpTestSuite() { open(160, 120, 160, 120); }
    static void TearDownTestSuite() {
        device_.reset();
        window_.reset();
    }
    void SetUp() override { device_->restart(); }

    static TestDevice& device() { return *device_; }

    static Image frame(const std::function<void()>& draw, Argb clearColor = kBlack) {
        device().beginFrame(clearColor, kFar);
        draw();
        device().endFrame();
        Image image;
        EXPECT_TRUE(device().readBackBuffer(image));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        return image;
    }

    // A world-space quad in a plane of constant z, drawn as a strip.
    static void drawQuadAtDepth(float x0, float y0, float x1, float y1, float z, Argb color, float u0 = 0,
                                float v0 = 0, float u1 = 1, float v1 = 1) {
        std::array<WorldVertex, 4> quad{{{x0, y1, z, color, u0, v0},
                                         {x1, y1, z, color, u1, v0},
                                         {x0, y0, z, color, u0, v1},
                                         {x1, y0, z, color, u1, v1}}};
        device().setVertexFormat(fvf::kWorld);
        device().drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(WorldVertex));
    }

    // An overlay quad in the 640 x 480 space, top-left, top-right, bottom-left, bottom-right.
    static void drawOverlay(float x0, float y0, float x1, float y1, Argb color, float z = 0.0f) {
        std::array<OverlayVertex, 4> quad{{{x0, y0, z, 1, color, 0, 0},
                                           {x1, y0, z, 1, color, 1, 0},
                                           {x0, y1, z, 1, color, 0, 1},
                                           {x1, y1, z, 1, color, 1, 1}}};
        device().setVertexFormat(fvf::kOverlay);
        device().drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad.data(), sizeof(OverlayVertex));
    }

    static std::unique_ptr<SdlWindow> window_;
    static std::unique_ptr<TestDevice> device_;
};

std::unique_ptr<SdlWindow> GlDeviceTest::window_;
std::unique_ptr<TestDevice> GlDeviceTest::device_;

// --- transforms -----------------------------------------------------------------------------

using GlTransformTest = GlDeviceTest;

TEST_F(GlTransformTest, QuadLandsWhereTheRowVectorMathsPutsIt) {
    // Rotation then translation do not commute, and the view is off-axis: a transposed upload
    // or a reversed product puts the quad somewhere else.
    Matrix4 world = Matrix4::rotationY(0.6f) * Matrix4::translation(1.5f, -0.8f, 8.0f);
    Matrix4 view = Matrix4::lookAtLH({0.5f, 0.3f, -2.0f}, {0.8f, 0.1f, 10.0f}, {0, 1, 0});
    Pixel centre = project({0, 0, 0}, world * view * projection(), 160, 120);
    ASSERT_GT(centre.x, 5);
    ASSERT_LT(centre.x, 155);
    ASSERT_GT(centre.y, 5);
    ASSERT_LT(centre.y, 115);
    ASSERT_GT(std::abs(centre.x - 80) + std::abs(centre.y - 60), 10) << "the check needs an off-centre spot";

    Image image = frame([&] {
        device().setTransform(TransformKind::World, world);
        device().setTransform(TransformKind::View, view);
        drawQuadAtDepth(-0.2f, -0.2f, 0.2f, 0.2f, 0.0f, kRed);
    });
    EXPECT_TRUE(colorNear(image, centre.x, centre.y, kRed));
    EXPECT_TRUE(colorNear(image, 80, 60, kBlack));
    // About 0.4 units at roughly 10 units away: a few pixels wide, not a screenful.
    int covered = countInRow(image, centre.y, kRed);
    EXPECT_GT(covered, 3);
    EXPECT_LT(covered, 20);
}

TEST_F(GlTransformTest, DepthRunsFromTheNearToTheFarPlane) {
    Image image = frame([] {
        // In front of the near plane (0.1): clipped only if clip depth 0..w is remapped.
        drawQuadAtDepth(-1, -1, 0, 0, 0.08f, kRed);
        // Just inside the far plane, and just beyond it.
        drawQuadAtDepth(-100, 0, 0, 100, kFar - 1.0f, kGreen);
        drawQuadAtDepth(0, -100, 100, 0, kFar + 1.0f, kBlue);
    });
    EXPECT_TRUE(colorNear(image, 70, 70, kBlack));
    EXPECT_TRUE(colorNear(image, 40, 30, kGreen));
    EXPECT_TRUE(colorNear(image, 120, 90, kBlack));
}

TEST_F(GlTransformTest, DepthTestKeepsTheNearerSurfaceUnlessSwitchedOff) {
    auto drawNearThenFar = [] {
        drawQuadAtDepth(-1, -1, 1, 1, 5.0f, kRed);
        drawQuadAtDepth(-2, -2, 2, 2, 6.0f, kGreen);
    };
    EXPECT_TRUE(colorNear(frame(drawNearThenFar), 80, 60, kRed));
    device().setRenderState(RenderState::ZEnable, 0);
    EXPECT_TRUE(colorNear(frame(drawNearThenFar), 80, 60, kGreen));
    device().setRenderState(RenderState::ZEnable, 1);
    device().setRenderState(RenderState::ZWriteEnable, 0);
    EXPECT_TRUE(colorNear(frame(drawNearThenFar), 80, 60, kGreen));
}

// --- culling and blending -------------------------------------------------------------------

using GlRasterTest = GlDeviceTest;

TEST_F(GlRasterTest, CounterClockwiseCullingRemovesFacesThatLookCounterClockwise) {
    // Left: top-left, top-right, bottom-left is clockwise on screen; right: the reverse.
    std::array<WorldVertex, 6> world{{{-1.2f, 0.5f, 5, kRed, 0, 0},
                                      {-0.2f, 0.5f, 5, kRed, 0, 0},
                                      {-1.2f, -0.5f, 5, kRed, 0, 0},
                                      {0.2f, 0.5f, 5, kGreen, 0, 0},
                                      {0.2f, -0.5f, 5, kGreen, 0, 0},
                                      {1.2f, 0.5f, 5, kGreen, 0, 0}}};
    std::array<OverlayVertex, 6> overlay{{{40, 380, 0, 1, kRed, 0, 0},
                                          {140, 380, 0, 1, kRed, 0, 0},
                                          {40, 470, 0, 1, kRed, 0, 0},
                                          {500, 380, 0, 1, kGreen, 0, 0},
                                          {500, 470, 0, 1, kGreen, 0, 0},
                                          {600, 380, 0, 1, kGreen, 0, 0}}};
    auto draw = [&] {
        device().setVertexFormat(fvf::kWorld);
        device().drawPrimitiveUP(PrimitiveType::TriangleList, 2, world.data(), sizeof(WorldVertex));
        device().setVertexFormat(fvf::kOverlay);
        device().drawPrimitiveUP(PrimitiveType::TriangleList, 2, overlay.data(), sizeof(OverlayVertex));
    };
    Pixel left = project({-0.9f, 0.2f, 5}, projection(), 160, 120);
    Pixel right = project({0.5f, 0.2f, 5}, projection(), 160, 120);

    Image both = frame(draw);
    EXPECT_TRUE(colorNear(both, left.x, left.y, kRed));
    EXPECT_TRUE(colorNear(both, right.x, right.y, kGreen));
    EXPECT_TRUE(colorNear(both, 15, 100, kRed));
    EXPECT_TRUE(colorNear(both, 140, 100, kGreen));

    device().setRenderState(RenderState::CullMode, kCullCcw);
    Image culled = frame(draw);
    EXPECT_TRUE(colorNear(culled, left.x, left.y, kRed));
    EXPECT_TRUE(colorNear(culled, right.x, right.y, kBlack));
    EXPECT_TRUE(colorNear(culled, 15, 100, kRed));
    EXPECT_TRUE(colorNear(culled, 140, 100, kBlack));
}

TEST_F(GlRasterTest, BlendsBySourceAlphaAndKeepsTheBufferOpaque) {
    auto draw = [] {
        drawOverlay(0, 0, 640, 480, kRed);
        drawOverlay(0, 0, 640, 480, 0x800000FF);
    };
    Image blended = frame(draw);
    EXPECT_TRUE(colorNear(blended, 80, 60, 0xFF7F0080, 2));

    device().setRenderState(RenderState::AlphaBlendEnable, 0);
    Image replaced = frame(draw);
    // Without blending the source replaces the colour; alpha never reaches the back buffer.
    EXPECT_TRUE(colorNear(replaced, 80, 60, kBlue, 0));
}

TEST_F(GlRasterTest, UntexturedGeometryShowsItsVertexColour) {
    std::array<WorldVertex, 3> triangle{
        {{-2, -2, 5, kRed, 0, 0}, {0, 2, 5, kGreen, 0, 0}, {2, -2, 5, kBlue, 0, 0}}};
    Image image = frame([&] {
        device().drawPrimitiveUP(PrimitiveType::TriangleFan, 1, triangle.data(), sizeof(WorldVertex));
    });
    // Gouraud: near each corner its own colour, in the middle a mix of all three.
    Pixel nearRed = project({-1.6f, -1.6f, 5}, projection(), 160, 120);
    EXPECT_GT((image.at(nearRed.x, nearRed.y) >> 16) & 0xFF, 200u);
    Argb middle = image.at(80, 55);
    for (int shift : {16, 8, 0})
        EXPECT_GT((middle >> shift) & 0xFF, 40u) << shift;
}

// --- textures -------------------------------------------------------------------------------

using GlTextureTest = GlDeviceTest;

TEST_F(GlTextureTest, TopRowOfThePictureIsTextureCoordinateZero) {
    auto texture = device().createTexture(image2x2(kRed, kRed, kBlue, kBlue));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->width(), 2u);
    Image image = frame([&] {
        device().setTexture(texture.get());
        drawOverlay(0, 0, 640, 480, kWhite);
    });
    // Texel centres; nearer the edges the filter blends in the transparent border.
    EXPECT_TRUE(colorNear(image, 80, 30, kRed));
    EXPECT_TRUE(colorNear(image, 80, 89, kBlue));
}

TEST_F(GlTextureTest, ModulatesColourAndAlphaByTheVertexColour) {
    auto texture = device().createTexture(image2x2(0x80FF8040, 0x80FF8040, 0x80FF8040, 0x80FF8040));
    ASSERT_NE(texture, nullptr);
    auto draw = [&] {
        device().setTexture(texture.get());
        drawQuadAtDepth(-5, -5, 5, 5, 5, 0xFF808080);
    };
    device().setRenderState(RenderState::AlphaBlendEnable, 0);
    EXPECT_TRUE(colorNear(frame(draw, kGreen), 80, 60, 0xFF804020));
    // Alpha 0.5 x 1 over green.
    device().setRenderState(RenderState::AlphaBlendEnable, 1);
    EXPECT_TRUE(colorNear(frame(draw, kGreen), 80, 60, 0xFF409F10));
}

TEST_F(GlTextureTest, OutsideTheTextureIsATransparentBorder) {
    auto texture = device().createTexture(image2x2(kRed, kRed, kRed, kRed));
    ASSERT_NE(texture, nullptr);
    // Texture coordinates -1..2 across the screen: the picture fills the middle third.
    Image image = frame(
        [&] {
            device().setTexture(texture.get());
            drawQuadAtDepth(-5, -5, 5, 5, 5, kWhite, -1, -1, 2, 2);
        },
        kGreen);
    EXPECT_TRUE(colorNear(image, 80, 60, kRed));
    EXPECT_TRUE(colorNear(image, 3, 60, kGreen));
    EXPECT_TRUE(colorNear(image, 156, 116, kGreen));
}

TEST_F(GlTextureTest, CreatingATextureKeepsTheOneBoundAndBadPicturesAreRefused) {
    auto red = device().createTexture(image2x2(kRed, kRed, kRed, kRed));
    device().setTexture(red.get());
    auto blue = device().createTexture(image2x2(kBlue, kBlue, kBlue, kBlue));
    Image image = frame([] { drawOverlay(0, 0, 640, 480, kWhite); });
    EXPECT_TRUE(colorNear(image, 80, 60, kRed));

    EXPECT_EQ(device().createTexture(Image{}), nullptr);
    EXPECT_EQ(device().createTexture(Image{4, 4, {kRed}}), nullptr) << "pixel count does not match the size";
}

// --- lighting -------------------------------------------------------------------------------

class GlLightingTest : public GlDeviceTest {
  protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        Material material;
        material.diffuse = {0.6f, 0.4f, 0.2f, 1.0f};
        material.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
        material.emissive = {0.1f, 0.0f, 0.05f, 0.0f};
        device().setMaterial(material);
        Light light{};
        light.ambient = {0.2f, 0.2f, 0.2f, 1.0f};
        light.diffuse = {1.0f, 0.5f, 1.0f, 1.0f};
        light.direction = {0, 0, 1};
        device().setLight(0, light);
        device().lightEnable(0, true);
        device().setRenderState(RenderState::Ambient, 0xFF333333); // 0.2
        device().setRenderState(RenderState::Lighting, 1);
        device().setRenderState(RenderState::AlphaBlendEnable, 0);
    }

    static void setLightDirection(const Vec3& direction) {
        Light light{};
        light.ambient = {0.2f, 0.2f, 0.2f, 1.0f};
        light.diffuse = {1.0f, 0.5f, 1.0f, 1.0f};
        light.direction = direction;
        device().setLight(0, light);
    }

    // A mesh square of half size h at depth z facing the camera (normal towards -z).
    static void drawMeshSquare(float h, float z) {
        std::array<MeshVertex, 4> v{{{-h, -h, z, 0, 0, -1, 0, 1},
                                     {-h, h, z, 0, 0, -1, 0, 0},
                                     {h, h, z, 0, 0, -1, 1, 0},
                                     {h, -h, z, 0, 0, -1, 1, 1}}};
        std::array<uint32_t, 6> indices{0, 1, 2, 0, 2, 3};
        device().drawIndexedTriangles(v.data(), 4, indices.data(), 2);
    }

    // emissive + ambient x (0.2 + 0.2) + diffuse x light diffuse x lambert
    static Argb expectedLit(float lambert) {
        return argbOf(0.1f + 0.5f * 0.4f + 0.6f * lambert, 0.0f + 0.2f + 0.4f * 0.5f * lambert,
                      0.05f + 0.2f + 0.2f * lambert);
    }
};

TEST_F(GlLightingTest, MeshIsLitByEmissiveAmbientAndDiffuseTerms) {
    EXPECT_TRUE(colorNear(frame([] { drawMeshSquare(1, 5); }), 80, 60, expectedLit(1.0f)));
    // 60 degrees off the normal: half the diffuse term.
    setLightDirection({std::sin(1.0471976f), 0, std::cos(1.0471976f)});
    EXPECT_TRUE(colorNear(frame([] { drawMeshSquare(1, 5); }), 80, 60, expectedLit(0.5f)));
    // Light from behind the face adds nothing.
    setLightDirection({0, 0, -1});
    EXPECT_TRUE(colorNear(frame([] { drawMeshSquare(1, 5); }), 80, 60, expectedLit(0.0f)));
}

TEST_F(GlLightingTest, ScaledNormalsAreNotRenormalized) {
    // Scaling by 2 shrinks the transformed normal to half length: half the diffuse term.
    device().setTransform(TransformKind::World, Matrix4::scaling(2, 2, 2));
    EXPECT_TRUE(colorNear(frame([] { drawMeshSquare(0.5f, 2.5f); }), 80, 60, expectedLit(0.5f)));
}

TEST_F(GlLightingTest, LightingDoesNotDependOnTheCamera) {
    // Normals and light both go into view space, so turning the camera changes nothing.
    Matrix4 view = Matrix4::lookAtLH({2.0f, 1.0f, 0.0f}, {0, 0, 5}, {0, 1, 0});
    device().setTransform(TransformKind::View, view);
    Pixel centre = project({0, 0, 5}, view * projection(), 160, 120);
    EXPECT_TRUE(colorNear(frame([] { drawMeshSquare(1, 5); }), centre.x, centre.y, expectedLit(1.0f)));
}

TEST_F(GlLightingTest, DisabledLightLeavesEmissiveAndGlobalAmbient) {
    device().lightEnable(0, false);
    EXPECT_TRUE(colorNear(frame([] { drawMeshSquare(1, 5); }), 80, 60, argbOf(0.2f, 0.1f, 0.15f)));
}

TEST_F(GlLightingTest, VerticesWithoutNormalsGetNoDiffuseLightAndKeepTheirAlpha) {
    // Colour vertices lit: the vertex colour stands in for the material diffuse, N.L is 0.
    EXPECT_TRUE(
        colorNear(frame([] { drawQuadAtDepth(-5, -5, 5, 5, 5, kWhite); }), 80, 60, expectedLit(0.0f)));
    device().setRenderState(RenderState::AlphaBlendEnable, 1);
    Argb expected = argbOf(0.3f * 0.5f, 0.2f * 0.5f, 0.25f * 0.5f);
    EXPECT_TRUE(colorNear(frame([] { drawQuadAtDepth(-5, -5, 5, 5, 5, 0x80FFFFFF); }), 80, 60, expected));
}

TEST_F(GlLightingTest, UnlitMeshIsWhiteTimesItsTexture) {
    device().setRenderState(RenderState::Lighting, 0);
    EXPECT_TRUE(colorNear(frame([] { drawMeshSquare(1, 5); }), 80, 60, kWhite));
    auto texture = device().createTexture(image2x2(kGreen, kGreen, kGreen, kGreen));
    device().setTexture(texture.get());
    EXPECT_TRUE(colorNear(frame([] { drawMeshSquare(1, 5); }), 80, 60, kGreen));
}

TEST_F(GlLightingTest, MeshDrawWithAnIndexPastItsVerticesIsSkipped) {
    std::array<MeshVertex, 3> v{
        {{-1, -1, 5, 0, 0, -1, 0, 0}, {0, 1, 5, 0, 0, -1, 0, 0}, {1, -1, 5, 0, 0, -1, 0, 0}}};
    std::array<uint32_t, 3> indices{0, 1, 3};
    Image image = frame([&] { device().drawIndexedTriangles(v.data(), 3, indices.data(), 1); });
    EXPECT_TRUE(colorNear(image, 80, 60, kBlack));
}

// --- fog ------------------------------------------------------------------------------------

class GlFogTest : public GlDeviceTest {
  protected:
    static constexpr Argb kFogColor = 0xFF3366CC;

    void SetUp() override {
        GlDeviceTest::SetUp();
        device().setRenderState(RenderState::FogEnable, 1);
        device().setRenderState(RenderState::FogColor, kFogColor);
        device().setRenderStateFloat(RenderState::FogStart, 10.0f);
        device().setRenderStateFloat(RenderState::FogEnd, 20.0f);
    }

    static void useTableFog() { device().setRenderState(RenderState::FogTableMode, kFogLinear); }
    static void useVertexFog() { device().setRenderState(RenderState::FogVertexMode, kFogLinear); }

    // f x white + (1 - f) x fog colour
    static Argb fogged(float f) { return argbOf(f + (1 - f) * 0.2f, f + (1 - f) * 0.4f, f + (1 - f) * 0.8f); }

    static Argb whiteQuadAt(float depth) {
        return frame([depth] { drawQuadAtDepth(-depth, -depth, depth, depth, depth, kWhite); }).at(80, 60);
    }

    // A floor at y = -1 from depth 5 (clear) to depth 25 (all fog).
    static Image floorFrame() {
        return frame([] {
            std::array<WorldVertex, 4> floor{{{-3, -1, 25, kWhite, 0, 0},
                                              {3, -1, 25, kWhite, 0, 0},
                                              {-3, -1, 5, kWhite, 0, 0},
                                              {3, -1, 5, kWhite, 0, 0}}};
            device().drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, floor.data(), sizeof(WorldVertex));
        });
    }

    // Eye depth of the floor under the centre of a pixel row.
    static float floorDepthAtRow(uint32_t row) {
        float ndcY = 1.0f - 2.0f * (static_cast<float>(row) + 0.5f) / 120.0f;
        return -projection().m[1][1] / ndcY;
    }
};

TEST_F(GlFogTest, TableFogIsLinearInEyeDepth) {
    useTableFog();
    EXPECT_EQ(whiteQuadAt(5.0f), fogged(1.0f));
    EXPECT_TRUE(colorNear(Image{1, 1, {whiteQuadAt(15.0f)}}, 0, 0, fogged(0.5f)));
    EXPECT_TRUE(colorNear(Image{1, 1, {whiteQuadAt(17.5f)}}, 0, 0, fogged(0.25f)));
    EXPECT_EQ(whiteQuadAt(30.0f), kFogColor);
}

TEST_F(GlFogTest, TableFogIsPerPixelAndVertexFogIsInterpolated) {
    uint32_t row = 71;
    float depth = floorDepthAtRow(row);
    ASSERT_GT(depth, 11.0f);
    ASSERT_LT(depth, 13.0f);
    // Per pixel the fog follows the depth; per vertex it runs from 1 at depth 5 to 0 at 25.
    useTableFog();
    EXPECT_TRUE(colorNear(floorFrame(), 80, row, fogged((20.0f - depth) / 10.0f)));
    device().setRenderState(RenderState::FogTableMode, kFogNone);
    useVertexFog();
    EXPECT_TRUE(colorNear(floorFrame(), 80, row, fogged((25.0f - depth) / 20.0f)));
}

TEST_F(GlFogTest, NoFogWhenDisabledOrForOverlays) {
    useTableFog();
    device().setRenderState(RenderState::FogEnable, 0);
    EXPECT_EQ(whiteQuadAt(30.0f), kWhite);
    device().setRenderState(RenderState::FogEnable, 1);
    Image overlay = frame([] { drawOverlay(0, 0, 640, 480, kWhite, 0.9f); });
    EXPECT_EQ(overlay.at(80, 60), kWhite);
}

// --- point sprites --------------------------------------------------------------------------

class GlPointSpriteTest : public GlDeviceTest {
  protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        device().setVertexFormat(fvf::kSplash);
        device().setRenderStateFloat(RenderState::PointSizeMin, 0.0f);
        device().setRenderStateFloat(RenderState::PointSizeMax, 100.0f);
    }

    static void setScale(float size, float a, float b, float c) {
        device().setRenderStateFloat(RenderState::PointSize, size);
        device().setRenderStateFloat(RenderState::PointScaleA, a);
        device().setRenderStateFloat(RenderState::PointScaleB, b);
        device().setRenderStateFloat(RenderState::PointScaleC, c);
    }

    // Width in pixels of a white point at the given eye distance, straight ahead.
    static int pointWidthAt(float distance) {
        SplashPoint point{0, 0, distance, kWhite};
        Image image = frame(
            [&] { device().drawPrimitiveUP(PrimitiveType::PointList, 1, &point, sizeof(SplashPoint)); });
        return countInRow(image, 60, kWhite);
    }
};

TEST_F(GlPointSpriteTest, SizeFallsWithDistanceAsTheScaleFactorsSay) {
    // Splash settings: height 120 x 0.5 / d.
    setScale(0.5f, 0, 0, 1);
    EXPECT_NEAR(pointWidthAt(5.0f), 12, 1);
    EXPECT_NEAR(pointWidthAt(10.0f), 6, 1);
    // Marker settings: 120 x 1.5 x sqrt(1 / (6 d)) = 32.9 at d = 5.
    setScale(1.5f, 0, 6, 0);
    EXPECT_NEAR(pointWidthAt(5.0f), 33, 1);
}

TEST_F(GlPointSpriteTest, SizeIsClampedAndUnscaledPointsUseTheirSizeInPixels) {
    setScale(0.5f, 0, 0, 1);
    device().setRenderStateFloat(RenderState::PointSizeMax, 8.0f);
    EXPECT_NEAR(pointWidthAt(5.0f), 8, 1);
    device().setRenderStateFloat(RenderState::PointSizeMax, 100.0f);
    device().setRenderStateFloat(RenderState::PointSizeMin, 20.0f);
    EXPECT_NEAR(pointWidthAt(5.0f), 20, 1);
    device().setRenderStateFloat(RenderState::PointSizeMin, 0.0f);
    device().setRenderState(RenderState::PointScaleEnable, 0);
    setScale(9.0f, 0, 0, 1);
    EXPECT_NEAR(pointWidthAt(5.0f), 9, 1);
}

TEST_F(GlPointSpriteTest, SpriteTextureRunsFromTheTopLeft) {
    auto texture = device().createTexture(image2x2(kRed, kRed, kBlue, kBlue));
    device().setTexture(texture.get());
    setScale(2.0f, 0, 0, 1); // 120 x 2 / 8 = 30 pixels
    SplashPoint point{0, 0, 8, kWhite};
    Image image =
        frame([&] { device().drawPrimitiveUP(PrimitiveType::PointList, 1, &point, sizeof(SplashPoint)); });
    EXPECT_TRUE(colorNear(image, 80, 52, kRed));
    EXPECT_TRUE(colorNear(image, 80, 67, kBlue));
}

// --- overlays and the back buffer -----------------------------------------------------------

class GlOverlayTest : public GlDeviceTest {
  protected:
    // Neither 640 x 480 nor its aspect; the window is yet another size.
    static void SetUpTestSuite() { open(200, 100, 300, 100); }
};

TEST_F(GlOverlayTest, OverlaySpaceIsStretchedOverTheWholeBackBuffer) {
    // The middle of the overlay space, whatever the world transforms say.
    device().setTransform(TransformKind::World, Matrix4::translation(100, 50, 3));
    device().setTransform(TransformKind::View, Matrix4::rotationZ(1.0f));
    device().setRenderState(RenderState::Lighting, 1);
    Image image = frame([] { drawOverlay(160, 120, 480, 360, kRed); });
    ASSERT_EQ(image.width, 200u);
    ASSERT_EQ(image.height, 100u);
    EXPECT_TRUE(colorNear(image, 51, 26, kRed));
    EXPECT_TRUE(colorNear(image, 148, 73, kRed));
    EXPECT_TRUE(colorNear(image, 48, 50, kBlack));
    EXPECT_TRUE(colorNear(image, 152, 50, kBlack));
    EXPECT_TRUE(colorNear(image, 100, 23, kBlack));
    EXPECT_TRUE(colorNear(image, 100, 77, kBlack));
}

TEST_F(GlOverlayTest, OverlayDepthIsZeroToOne) {
    Image image = frame([] {
        drawOverlay(0, 0, 640, 480, kRed, 0.25f);
        drawOverlay(0, 0, 640, 480, kGreen, 0.75f);
        drawOverlay(0, 0, 320, 480, kBlue, 0.0f);
    });
    EXPECT_TRUE(colorNear(image, 50, 50, kBlue));
    EXPECT_TRUE(colorNear(image, 150, 50, kRed));
}

TEST_F(GlOverlayTest, PresentingLeavesTheBackBufferAsDrawn) {
    auto draw = [] {
        drawOverlay(0, 0, 320, 480, kRed);
        drawOverlay(320, 0, 640, 480, kBlue);
    };
    Image first = frame(draw);
    EXPECT_TRUE(colorNear(first, 0, 0, kRed, 0));
    EXPECT_TRUE(colorNear(first, 99, 50, kRed, 0));
    EXPECT_TRUE(colorNear(first, 199, 99, kBlue, 0));
    // A second present of the same buffer (the window is wider than it) changes nothing either.
    device().endFrame();
    Image second;
    ASSERT_TRUE(device().readBackBuffer(second));
    EXPECT_EQ(second.pixels, first.pixels);
}

TEST_F(GlOverlayTest, WindowShowsTheFrameLetterboxed) {
    // A back buffer of its own, 40 x 30 into the 300 x 100 window: 133 wide from x = 83.
    GlBackBuffer buffer(40, 30);
    buffer.bind();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    buffer.blitToWindow(300, 100);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    auto windowPixel = [](int x, int y) {
        std::array<uint8_t, 4> rgba{};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    };
    using Rgb = std::array<uint8_t, 3>;
    auto rgb = [](const std::array<uint8_t, 4>& p) { return Rgb{p[0], p[1], p[2]}; };
    EXPECT_EQ(rgb(windowPixel(40, 50)), (Rgb{0, 0, 0}));
    EXPECT_EQ(rgb(windowPixel(85, 2)), (Rgb{255, 0, 0}));
    EXPECT_EQ(rgb(windowPixel(214, 97)), (Rgb{255, 0, 0}));
    EXPECT_EQ(rgb(windowPixel(260, 50)), (Rgb{0, 0, 0}));
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// --- screenshots and the window -------------------------------------------------------------

using GlScreenshotTest = GlDeviceTest;

TEST_F(GlScreenshotTest, PngHoldsTheBackBufferPixelForPixel) {
    Image image = frame([] {
        drawOverlay(0, 0, 640, 240, kRed);
        drawOverlay(0, 240, 320, 480, 0xFF123456);
    });
    test::TempDir dir;
    std::string path = dir.file("shot.png");
    ASSERT_TRUE(writePng(path, image));

    int width = 0, height = 0, channels = 0;
    std::unique_ptr<uint8_t, void (*)(void*)> png(stbi_load(path.c_str(), &width, &height, &channels, 4),
                                                  stbi_image_free);
    ASSERT_NE(png, nullptr);
    ASSERT_EQ(width, 160);
    ASSERT_EQ(height, 120);
    for (uint32_t i = 0; i < image.pixels.size(); ++i) {
        const uint8_t* p = png.get() + 4 * i;
        Argb decoded = static_cast<Argb>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
        ASSERT_EQ(decoded, image.pixels[i]) << "pixel " << i;
    }
    EXPECT_EQ(image.at(10, 10), kRed);
    EXPECT_EQ(image.at(10, 110), 0xFF123456u);
    EXPECT_EQ(image.at(150, 110), kBlack);
}

TEST_F(GlScreenshotTest, PngRefusesBadImagesAndUnwritablePaths) {
    test::TempDir dir;
    EXPECT_FALSE(writePng(dir.file("empty.png"), Image{}));
    EXPECT_FALSE(writePng(dir.file("short.png"), Image{3, 3, {kRed}}));
    EXPECT_FALSE(writePng(dir.file("missing/folder/shot.png"), Image{1, 1, {kRed}}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("short.png")));
}

TEST_F(GlScreenshotTest, WindowKeepsItsSizeShowsTheCursorAndReportsQuitRequests) {
    int width = 0, height = 0;
    SDL_GetWindowSize(window_->handle(), &width, &height);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "a window shows the cursor";

    auto quitAsked = [](SDL_Event event) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        SDL_PushEvent(&event);
        return window_->pumpEvents().quit;
    };
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    EXPECT_FALSE(quitAsked(event));
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(window_->handle());
    EXPECT_TRUE(quitAsked(event));
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    EXPECT_FALSE(quitAsked(event)) << "losing focus never ends the program";
    event = SDL_Event{};
    event.type = SDL_QUIT;
    EXPECT_TRUE(quitAsked(event));
}

} // namespace
} // namespace qv
