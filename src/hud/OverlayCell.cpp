#include "hud/OverlayCell.h"

#include "platform/GraphicsDevice.h"

namespace qv {

OverlayCell::OverlayCell(float left, float top, float right, float bottom, Argb colour) : quad_{} {
    for (OverlayVertex& v : quad_) {
        v.z = 0.0f;
        v.rhw = 1.0f;
        v.diffuse = colour;
    }
    setRect(left, top, right, bottom);
    setTextureRect(0.0f, 0.0f, 1.0f, 1.0f);
}

void OverlayCell::setRect(float left, float top, float right, float bottom) {
    setCorners({left, top}, {right, top}, {left, bottom}, {right, bottom});
}

void OverlayCell::setCorners(Vec2 topLeft, Vec2 topRight, Vec2 bottomLeft, Vec2 bottomRight) {
    const std::array<Vec2, 4> corners{topLeft, topRight, bottomLeft, bottomRight};
    for (size_t i = 0; i < quad_.size(); ++i) {
        quad_[i].x = corners[i].x;
        quad_[i].y = corners[i].y;
    }
}

void OverlayCell::setTextureRect(float u0, float v0, float u1, float v1) {
    quad_[0].u = quad_[2].u = u0;
    quad_[1].u = quad_[3].u = u1;
    quad_[0].v = quad_[1].v = v0;
    quad_[2].v = quad_[3].v = v1;
}

void OverlayCell::showDigit(uint32_t digit) {
    const float u = kSheetCell * static_cast<float>(digit % 4);
    const float v = kSheetCell * static_cast<float>(digit / 4);
    setTextureRect(u, v, u + kSheetCell, v + kSheetCell);
}

void OverlayCell::setColour(Argb colour) {
    for (OverlayVertex& v : quad_)
        v.diffuse = colour;
}

void OverlayCell::draw(GraphicsDevice& device) const {
    device.drawPrimitiveUP(PrimitiveType::TriangleStrip, 2, quad_.data(), sizeof(OverlayVertex));
}

void OverlayCell::drawNumber(GraphicsDevice& device, uint32_t value, uint32_t count, float firstLeft,
                             float width) {
    const float top = quad_[0].y;
    const float bottom = quad_[2].y;
    for (uint32_t k = 0; k < count; ++k, value /= 10) {
        const float left = firstLeft - width * static_cast<float>(k);
        setRect(left, top, left + width, bottom);
        showDigit(value % 10);
        draw(device);
    }
}

uint32_t decimalDigitCount(uint32_t value) {
    uint32_t count = 1;
    for (; value >= 10; value /= 10)
        ++count;
    return count;
}

} // namespace qv
