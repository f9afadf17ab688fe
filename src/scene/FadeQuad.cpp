#include "scene/FadeQuad.h"

#include "platform/GraphicsDevice.h"
#include "scene/ScreenQuad.h"

#include <algorithm>

namespace qv {

FadeQuad::FadeQuad(GraphicsDevice& graphics)
    : graphics_(graphics), quad_{{{0, 0, 0, 1, 0, 0, 0},
                                  {640, 0, 0, 1, 0, 1, 0},
                                  {0, 480, 0, 1, 0, 0, 1},
                                  {640, 480, 0, 1, 0, 1, 1}}} {}

void FadeQuad::step() {
    fadeCounter_ += 3;
    Argb colour = static_cast<Argb>(std::min(fadeCounter_, 255)) << 24;
    for (auto& v : quad_)
        v.diffuse = colour;
}

void FadeQuad::draw() {
    coverScreen(quad_, graphics_.overlayBounds());
    graphics_.setTransform(TransformKind::World, Matrix4::identity());
    graphics_.setTexture(nullptr);
    graphics_.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad_.data(), sizeof(OverlayVertex));
}

} // namespace qv
