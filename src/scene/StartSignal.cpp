#include "scene/StartSignal.h"

#include "assets/DataFiles.h"
#include "assets/TextureLoader.h"
#include "game/GameState.h"
#include "platform/GraphicsDevice.h"
#include "scene/ScreenQuad.h"

#include <algorithm>

namespace qv {

namespace {

Argb whiteWithAlpha(int32_t alpha) {
    return (static_cast<Argb>(std::max(0, alpha)) << 24) | 0xFFFFFF;
}

} // namespace

StartSignal::StartSignal(GraphicsDevice& graphics, ContentCache& content, const GameState& state)
    : graphics_(graphics), quad_{{{0, 0, 0, 1, 0xFFFFFFFF, 0, 0},
                                  {640, 0, 0, 1, 0xFFFFFFFF, 1, 0},
                                  {0, 480, 0, 1, 0xFFFFFFFF, 0, 1},
                                  {640, 480, 0, 1, 0xFFFFFFFF, 1, 1}}} {
    texture_ =
        requireTexture(graphics_, content, state.demoMode ? data::kDemoStartTexture : data::kStartTexture);
    graphics_.setTextureEdges(*texture_, TextureEdges::Clamp);
}

void StartSignal::animate() {
    int32_t n = ++frameCounter_;
    int32_t left = n < 100 ? 255 : 655 - 4 * n;
    int32_t right = n < 100 ? 255 : 1055 - 8 * n;
    quad_[0].diffuse = quad_[2].diffuse = whiteWithAlpha(left);
    quad_[1].diffuse = quad_[3].diffuse = whiteWithAlpha(right);
}

void StartSignal::draw() {
    coverScreen(quad_, graphics_.overlayBounds());
    graphics_.setTransform(TransformKind::World, Matrix4::identity());
    graphics_.setTexture(texture_.get());
    graphics_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad_.data(), sizeof(OverlayVertex));
}

} // namespace qv
