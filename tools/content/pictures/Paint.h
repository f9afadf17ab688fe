#pragma once

#include "core/Vec3.h"
#include "pictures/Rgba.h"

namespace qv::content {

// What a shape is filled with: one colour, or a two-colour gradient along a line or outwards
// from a centre. Positions are in canvas pixels.
class Paint {
  public:
    static Paint solid(Rgba colour);
    static Paint solid(uint32_t argb) { return solid(Rgba::fromArgb(argb)); }
    static Paint linear(Vec2 from, Rgba fromColour, Vec2 to, Rgba toColour);
    static Paint radial(Vec2 centre, float radius, Rgba inner, Rgba outer);

    Rgba at(float x, float y) const;

  private:
    enum class Kind { Solid, Linear, Radial };

    Paint(Kind kind, Vec2 origin, Vec2 axis, Rgba first, Rgba second);

    Kind kind_;
    Vec2 origin_;
    Vec2 axis_; // linear: direction scaled by 1/length^2; radial: (radius, unused)
    Rgba first_;
    Rgba second_;
};

} // namespace qv::content
