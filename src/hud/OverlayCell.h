#pragma once

#include "platform/RenderTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace qv {

class GraphicsDevice;
class Texture;

// One textured quad in the 640 x 480 overlay space, in strip order top-left, top-right,
// bottom-left, bottom-right. The HUD reuses one such quad for every digit and picture it draws,
// moving it and changing its texture rectangle between draws.
class OverlayCell {
  public:
    // Digit sheets are 4 x 4 grids; digit d sits in column d mod 4, row d div 4.
    static constexpr float kSheetCell = 0.25f;

    // Covers the rectangle with the whole texture.
    OverlayCell(float left, float top, float right, float bottom, Argb colour);

    void setRect(float left, float top, float right, float bottom);
    // Corners in strip order; for quads that are not axis-aligned.
    void setCorners(Vec2 topLeft, Vec2 topRight, Vec2 bottomLeft, Vec2 bottomRight);
    void setTextureRect(float u0, float v0, float u1, float v1);
    // Texture rectangle of one digit (0..9) of a digit sheet.
    void showDigit(uint32_t digit);
    void setColour(Argb colour);

    // Two-triangle strip; the caller has set the world transform and the texture.
    void draw(GraphicsDevice& device) const;

    // Draws count digits of value, least significant first, leading zeros included: digit k
    // spans x from firstLeft - k * width to firstLeft - (k - 1) * width. The top and bottom stay
    // where they are.
    void drawNumber(GraphicsDevice& device, uint32_t value, uint32_t count, float firstLeft, float width);

  private:
    std::array<OverlayVertex, 4> quad_;
};

// Decimal digits needed to write value; 1 for 0.
uint32_t decimalDigitCount(uint32_t value);

} // namespace qv
