#include "app/LogoScreen.h"
#include "core/FatalError.h"
#include "support/HeadlessRig.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

uint32_t alphaOf(const WorldVertex& v) {
    return v.diffuse >> 24;
}

TEST(LogoScreen, RunsFor290UpdatesAndEndsOnThe291st) {
    test::HeadlessRig rig;
    LogoScreen logo(rig.graphics, rig.sound);
    for (int n = 1; n <= 290; ++n)
        ASSERT_TRUE(logo.update()) << n;
    EXPECT_FALSE(logo.update());
    EXPECT_EQ(rig.graphics.framesPresented(), 291);
}

TEST(LogoScreen, JingleStartsOnTheSecondUpdate) {
    test::HeadlessRig rig;
    LogoScreen logo(rig.graphics, rig.sound);
    logo.update();
    EXPECT_EQ(rig.sound.playCount("./Data/wave/logo.wav"), 0u);
    logo.update();
    EXPECT_EQ(rig.sound.playCount("./Data/wave/logo.wav"), 1u);
    logo.update();
    EXPECT_EQ(rig.sound.playCount("./Data/wave/logo.wav"), 1u);
}

TEST(LogoScreen, FliesInFromTheFarPlaneThenRestsThenVanishes) {
    // Depth 200/n: the first two frames are at or beyond the far plane of 100.
    const Vec3 centre{0.5f, 0.5f, 0.0f};
    EXPECT_NEAR(transformPoint(centre, LogoScreen::worldTransformFor(1)).z, 200.0f, 1e-3f);
    EXPECT_NEAR(transformPoint(centre, LogoScreen::worldTransformFor(2)).z, 100.0f, 1e-3f);
    EXPECT_NEAR(transformPoint(centre, LogoScreen::worldTransformFor(120)).z, 1.6667f, 1e-4f);
    // At n = 120 the spin has come full circle: a plain centred square.
    Vec3 corner = transformPoint({1.0f, 1.0f, 0.0f}, LogoScreen::worldTransformFor(120));
    EXPECT_NEAR(corner.x, 0.5f, 1e-4f);
    EXPECT_NEAR(corner.y, 0.5f, 1e-4f);
    EXPECT_EQ(LogoScreen::worldTransformFor(121), Matrix4::translation(-0.5f, -0.5f, 1.667f));
    EXPECT_EQ(LogoScreen::worldTransformFor(260), Matrix4::translation(-0.5f, -0.5f, 1.667f));
    EXPECT_EQ(LogoScreen::worldTransformFor(261), Matrix4::zero());
}

TEST(LogoScreen, FadesAlongOneDiagonalThenTheOther) {
    test::HeadlessRig rig;
    LogoScreen logo(rig.graphics, rig.sound);
    auto runTo = [&](uint32_t n) {
        while (logo.frameCounter() < n)
            logo.update();
    };
    runTo(180);
    for (const auto& v : logo.quad())
        EXPECT_EQ(alphaOf(v), 255u);
    runTo(181);
    EXPECT_EQ(alphaOf(logo.quad()[1]), 249u);
    EXPECT_EQ(alphaOf(logo.quad()[3]), 249u);
    EXPECT_EQ(alphaOf(logo.quad()[0]), 255u);
    runTo(220);
    EXPECT_EQ(alphaOf(logo.quad()[1]), 15u);
    runTo(221);
    EXPECT_EQ(alphaOf(logo.quad()[0]), 248u);
    EXPECT_EQ(alphaOf(logo.quad()[2]), 248u);
    EXPECT_EQ(alphaOf(logo.quad()[3]), 15u);
    runTo(257);
    EXPECT_EQ(alphaOf(logo.quad()[0]), 0u);
    runTo(261);
    for (const auto& v : logo.quad())
        EXPECT_EQ(v.diffuse, 0u);
}

TEST(LogoScreen, DrawsATexturedFanOnBlackWithTheLogoCamera) {
    test::HeadlessRig rig;
    LogoScreen logo(rig.graphics, rig.sound);
    logo.update();
    ASSERT_EQ(rig.graphics.draws().size(), 1u);
    const auto& draw = rig.graphics.draws()[0];
    EXPECT_EQ(draw.type, PrimitiveType::TriangleFan);
    EXPECT_EQ(draw.primitiveCount, 2u);
    EXPECT_EQ(draw.vertexFormat, fvf::kWorld);
    EXPECT_NE(draw.texture, nullptr);
    EXPECT_EQ(draw.state(RenderState::CullMode), kCullNone);
    EXPECT_EQ(draw.state(RenderState::Lighting), 0u);
    EXPECT_EQ(draw.view, Matrix4::lookAtLH({0, 0, -2}, {0, 0, 0}, {0, 1, 0}));
    EXPECT_EQ(draw.projection, Matrix4::perspectiveFovLH(0.7853982f, 1.33f, 0.1f, 100.0f));
    EXPECT_EQ(rig.graphics.events()[2].op, RecordingRenderDevice::Op::Transform);
    bool clearedBlack = false;
    for (const auto& e : rig.graphics.events())
        clearedBlack |= e.op == RecordingRenderDevice::Op::Clear && e.a == 0xFF000000u;
    EXPECT_TRUE(clearedBlack);
    // The texture is unbound again after the frame.
    EXPECT_EQ(rig.graphics.texture(), nullptr);
}

TEST(LogoScreen, DestructionRestoresCullingAndLightingAndReleasesTheTexture) {
    test::HeadlessRig rig;
    {
        LogoScreen logo(rig.graphics, rig.sound);
        EXPECT_EQ(rig.graphics.texturesAlive(), 1);
    }
    EXPECT_EQ(rig.graphics.texturesAlive(), 0);
    EXPECT_EQ(rig.graphics.renderState(RenderState::CullMode), kCullCcw);
    EXPECT_EQ(rig.graphics.renderState(RenderState::Lighting), 1u);
}

TEST(LogoScreen, MissingOrBrokenLogoIsFatalWithItsOwnMessage) {
    for (const char* contents : std::initializer_list<const char*>{"", "DDS garbage", nullptr}) {
        test::HeadlessRig rig;
        if (contents)
            rig.dir.write("Data/tex/zem.dds", contents);
        else
            rig.removeFile("Data/tex/zem.dds");
        try {
            LogoScreen logo(rig.graphics, rig.sound);
            FAIL() << "expected a fatal error";
        } catch (const FatalError& e) {
            EXPECT_STREQ(e.what(), "ERROR : Score D3DXCreateTextureFromFileEx");
        }
    }
}

} // namespace
} // namespace qv
