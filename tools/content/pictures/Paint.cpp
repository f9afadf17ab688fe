#include "pictures/Paint.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

Paint::Paint(Kind kind, Vec2 origin, Vec2 axis, Rgba first, Rgba second)
    : kind_(kind), origin_(origin), axis_(axis), first_(first), second_(second) {}

Paint Paint::solid(Rgba colour) {
    return Paint(Kind::Solid, {}, {}, colour, colour);
}

Paint Paint::linear(Vec2 from, Rgba fromColour, Vec2 to, Rgba toColour) {
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float lengthSquared = std::max(dx * dx + dy * dy, 1e-6f);
    return Paint(Kind::Linear, from, {dx / lengthSquared, dy / lengthSquared}, fromColour, toColour);
}

Paint Paint::radial(Vec2 centre, float radius, Rgba inner, Rgba outer) {
    return Paint(Kind::Radial, centre, {std::max(radius, 1e-3f), 0.0f}, inner, outer);
}

Rgba Paint::at(float x, float y) const {
    const float dx = x - origin_.x;
    const float dy = y - origin_.y;
    switch (kind_) {
    case Kind::Linear:
        return mix(first_, second_, std::clamp(dx * axis_.x + dy * axis_.y, 0.0f, 1.0f));
    case Kind::Radial:
        return mix(first_, second_, std::clamp(std::sqrt(dx * dx + dy * dy) / axis_.x, 0.0f, 1.0f));
    case Kind::Solid:
        break;
    }
    return first_;
}

} // namespace qv::content
