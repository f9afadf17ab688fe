#include "app/LogoScreen.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"
#include "platform/GraphicsDevice.h"

#include <algorithm>

namespace qv {

namespace {

constexpr Argb kOpaqueWhite = 0xFFFFFFFF;

Argb withAlpha(int alpha) {
    return (static_cast<Argb>(std::max(0, alpha)) << 24) | 0xFFFFFF;
}

} // namespace

LogoScreen::LogoScreen(GraphicsDevice& graphics, SoundSystem& sound)
    : graphics_(graphics), quad_{{{0, 0, 0, kOpaqueWhite, 0, 1},
                                  {1, 0, 0, kOpaqueWhite, 1, 1},
                                  {1, 1, 0, kOpaqueWhite, 1, 0},
                                  {0, 1, 0, kOpaqueWhite, 0, 0}}} {
    texture_ = requireTexture(graphics_, data::kLogoTexture, TextureFormat::A1R5G5B5,
                              "ERROR : Score D3DXCreateTextureFromFileEx");
    graphics_.setRenderState(RenderState::CullMode, kCullNone);
    graphics_.setRenderState(RenderState::Lighting, 0);
    sound_ = sound.createClip(data::kLogoSound, false);
}

LogoScreen::~LogoScreen() {
    sound_->stop();
    sound_.reset();
    texture_.reset();
    // Every scene expects these back.
    graphics_.setRenderState(RenderState::CullMode, kCullCcw);
    graphics_.setRenderState(RenderState::Lighting, 1);
}

bool LogoScreen::update() {
    if (frameCounter_ == 1)
        sound_->play();
    uint32_t n = ++frameCounter_;
    applyFade(n, quad_);
    if (graphics_.showsFrames())
        drawFrame(n);
    return n <= kLastFrame;
}

Matrix4 LogoScreen::worldTransformFor(uint32_t n) {
    constexpr float kPiOver60 = 0.05235988f;
    constexpr float kMinusPiOver30 = -0.10471976f;
    if (n <= 120) {
        return Matrix4::translation(-0.5f, -0.5f, 0.0f) *
               Matrix4::rotationX(static_cast<float>(n % 120) * kPiOver60) *
               Matrix4::rotationY(static_cast<float>(n % 60) * kMinusPiOver30) *
               Matrix4::rotationZ(static_cast<float>(n % 120) * kPiOver60) *
               Matrix4::translation(0.0f, 0.0f, 200.0f / static_cast<float>(n));
    }
    if (n <= 260)
        return Matrix4::translation(-0.5f, -0.5f, 1.667f);
    return Matrix4::zero();
}

void LogoScreen::applyFade(uint32_t n, std::array<WorldVertex, 4>& quad) {
    int k = static_cast<int>(n);
    if (n > 180 && n <= 220) {
        quad[1].diffuse = quad[3].diffuse = withAlpha(1335 - 6 * k);
    } else if (n > 220 && n <= 260) {
        quad[0].diffuse = quad[2].diffuse = withAlpha(1795 - 7 * k);
    } else if (n > 260) {
        for (auto& v : quad)
            v.diffuse = 0;
    }
}

void LogoScreen::drawFrame(uint32_t n) {
    graphics_.setTransform(TransformKind::View,
                           Matrix4::lookAtLH({0.0f, 0.0f, -2.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));
    graphics_.setTransform(TransformKind::World, worldTransformFor(n));
    graphics_.beginFrame(0xFF000000, 100.0f);
    graphics_.setVertexFormat(fvf::kWorld);
    graphics_.setTexture(texture_.get());
    graphics_.drawPrimitiveUP(PrimitiveType::TriangleFan, 2, quad_.data(), sizeof(WorldVertex));
    graphics_.setTexture(nullptr);
    graphics_.endFrame();
}

} // namespace qv
