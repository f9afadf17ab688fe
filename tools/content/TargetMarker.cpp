#include "TargetMarker.h"

#include "pictures/Canvas.h"

namespace qv::content {

namespace {

constexpr float kHalf = 0.5f * kMarkerSize;
constexpr float kRim = 0.09f; // of the half size, round every white part

Paint whiteFace(float radius) {
    // A faint shade towards the lower right gives it some body without colouring the tint.
    return Paint::radial({kHalf - 0.3f * radius, kHalf - 0.3f * radius}, 1.6f * radius,
                         Rgba{1.0f, 1.0f, 1.0f, 1.0f}, Rgba{0.82f, 0.84f, 0.88f, 1.0f});
}

} // namespace

Image targetMarkerTexture() {
    Canvas canvas(kMarkerSize, kMarkerSize);
    const Vec2 centre{kHalf, kHalf};
    const Paint rim = Paint::solid(Rgba{0.05f, 0.06f, 0.14f, 1.0f});
    const float dot = kMarkerDot * kHalf, inner = kMarkerRingInner * kHalf, outer = kMarkerRingOuter * kHalf;
    const float edge = kRim * kHalf;
    canvas.fillRing(centre, inner - edge, outer + edge, rim);
    canvas.fillRing(centre, inner, outer, whiteFace(outer));
    canvas.fillDisc(centre, dot + edge, rim);
    canvas.fillDisc(centre, dot, whiteFace(dot));
    return canvas.toImage();
}

} // namespace qv::content
