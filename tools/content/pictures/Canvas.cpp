#include "pictures/Canvas.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

namespace {

float distanceToSegment(float px, float py, Vec2 a, Vec2 b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    const float t = lengthSquared > 0.0f
                        ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / lengthSquared, 0.0f, 1.0f)
                        : 0.0f;
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

// Non-zero winding number of the polygon around (px, py).
int windingNumber(const std::vector<Vec2>& points, float px, float py) {
    int winding = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const Vec2& a = points[i];
        const Vec2& b = points[(i + 1) % points.size()];
        const float side = (b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y);
        if (a.y <= py && b.y > py && side > 0.0f) {
            ++winding;
        } else if (a.y > py && b.y <= py && side < 0.0f) {
            --winding;
        }
    }
    return winding;
}

} // namespace

Canvas::Canvas(int width, int height, Rgba background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), background) {}

Rgba Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {};
    }
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void Canvas::blend(int x, int y, Rgba colour, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    const float sa = std::clamp(colour.a * coverage, 0.0f, 1.0f);
    if (sa <= 0.0f) {
        return;
    }
    Rgba& d = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    const float da = d.a * (1.0f - sa);
    const float outA = sa + da;
    d = {(colour.r * sa + d.r * da) / outA, (colour.g * sa + d.g * da) / outA,
         (colour.b * sa + d.b * da) / outA, outA};
}

void Canvas::setView(Vec2 origin, float scale) {
    viewOrigin_ = origin;
    viewScale_ = scale;
}

Vec2 Canvas::toPixels(Vec2 point) const {
    return {(point.x - viewOrigin_.x) * viewScale_, (point.y - viewOrigin_.y) * viewScale_};
}

Vec2 Canvas::toDrawing(float px, float py) const {
    return {px / viewScale_ + viewOrigin_.x, py / viewScale_ + viewOrigin_.y};
}

void Canvas::fillDistance(float minX, float minY, float maxX, float maxY, const DistanceFunction& distance,
                          const Paint& paint) {
    const Vec2 low = toPixels({minX, minY});
    const Vec2 high = toPixels({maxX, maxY});
    const int x0 = std::max(0, static_cast<int>(std::floor(low.x)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(low.y)) - 1);
    const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(high.x)) + 1);
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(high.y)) + 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const Vec2 at = toDrawing(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            const float coverage = std::clamp(0.5f - distance(at.x, at.y) * viewScale_, 0.0f, 1.0f);
            if (coverage > 0.0f) {
                blend(x, y, paint.at(at.x, at.y), coverage);
            }
        }
    }
}

void Canvas::fill(const Paint& paint) {
    const Vec2 low = toDrawing(0.0f, 0.0f);
    const Vec2 high = toDrawing(static_cast<float>(width_), static_cast<float>(height_));
    fillDistance(
        low.x, low.y, high.x, high.y, [](float, float) { return -INFINITY; }, paint);
}

void Canvas::fillDisc(Vec2 centre, float radius, const Paint& paint) {
    fillDistance(
        centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius,
        [centre, radius](float x, float y) { return std::hypot(x - centre.x, y - centre.y) - radius; },
        paint);
}

void Canvas::fillRing(Vec2 centre, float innerRadius, float outerRadius, const Paint& paint) {
    const float middle = 0.5f * (innerRadius + outerRadius);
    const float halfWidth = 0.5f * (outerRadius - innerRadius);
    fillDistance(
        centre.x - outerRadius, centre.y - outerRadius, centre.x + outerRadius, centre.y + outerRadius,
        [=](float x, float y) {
            return std::fabs(std::hypot(x - centre.x, y - centre.y) - middle) - halfWidth;
        },
        paint);
}

void Canvas::fillRoundedRect(Vec2 topLeft, Vec2 bottomRight, float cornerRadius, const Paint& paint) {
    const Vec2 centre{0.5f * (topLeft.x + bottomRight.x), 0.5f * (topLeft.y + bottomRight.y)};
    const float radius =
        std::clamp(cornerRadius, 0.0f, 0.5f * std::min(bottomRight.x - topLeft.x, bottomRight.y - topLeft.y));
    const Vec2 inner{0.5f * (bottomRight.x - topLeft.x) - radius,
                     0.5f * (bottomRight.y - topLeft.y) - radius};
    fillDistance(
        topLeft.x, topLeft.y, bottomRight.x, bottomRight.y,
        [=](float x, float y) {
            const float qx = std::fabs(x - centre.x) - inner.x;
            const float qy = std::fabs(y - centre.y) - inner.y;
            const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
            return outside + std::min(std::max(qx, qy), 0.0f) - radius;
        },
        paint);
}

void Canvas::fillPolygon(const std::vector<Vec2>& points, const Paint& paint) {
    if (points.size() < 3) {
        return;
    }
    Vec2 low = points.front();
    Vec2 high = points.front();
    for (const Vec2& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    fillDistance(
        low.x, low.y, high.x, high.y,
        [&points](float x, float y) {
            float nearest = INFINITY;
            for (size_t i = 0; i < points.size(); ++i) {
                nearest =
                    std::min(nearest, distanceToSegment(x, y, points[i], points[(i + 1) % points.size()]));
            }
            return windingNumber(points, x, y) != 0 ? -nearest : nearest;
        },
        paint);
}

void Canvas::strokeLine(Vec2 from, Vec2 to, float width, const Paint& paint) {
    const float half = 0.5f * width;
    fillDistance(
        std::min(from.x, to.x) - half, std::min(from.y, to.y) - half, std::max(from.x, to.x) + half,
        std::max(from.y, to.y) + half,
        [=](float x, float y) { return distanceToSegment(x, y, from, to) - half; }, paint);
}

void Canvas::fillMask(const CoverageMask& mask, const Paint& paint) {
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            const float coverage = mask.at(x, y);
            if (coverage > 0.0f) {
                const int cx = mask.left() + x;
                const int cy = mask.top() + y;
                blend(cx, cy, paint.at(static_cast<float>(cx) + 0.5f, static_cast<float>(cy) + 0.5f),
                      coverage);
            }
        }
    }
}

void Canvas::drawCanvas(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.height_; ++sy) {
        for (int sx = 0; sx < source.width_; ++sx) {
            blend(x + sx, y + sy, source.pixel(sx, sy), 1.0f);
        }
    }
}

void Canvas::drawImage(const Image& image, int x, int y, int width, int height) {
    if (image.width == 0 || image.height == 0 || width <= 0 || height <= 0) {
        return;
    }
    constexpr int kTaps = 4; // samples per axis and destination pixel
    const float stepX = static_cast<float>(image.width) / static_cast<float>(width);
    const float stepY = static_cast<float>(image.height) / static_cast<float>(height);
    for (int dy = 0; dy < height; ++dy) {
        for (int dx = 0; dx < width; ++dx) {
            Rgba sum{}; // premultiplied
            for (int ty = 0; ty < kTaps; ++ty) {
                for (int tx = 0; tx < kTaps; ++tx) {
                    const auto sx =
                        static_cast<uint32_t>((static_cast<float>(dx) + (tx + 0.5f) / kTaps) * stepX);
                    const auto sy =
                        static_cast<uint32_t>((static_cast<float>(dy) + (ty + 0.5f) / kTaps) * stepY);
                    const Rgba c = Rgba::fromArgb(
                        image.at(std::min(sx, image.width - 1), std::min(sy, image.height - 1)));
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            if (sum.a > 0.0f) {
                blend(x + dx, y + dy, {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, 1.0f},
                      sum.a / (kTaps * kTaps));
            }
        }
    }
}

Image Canvas::toImage() const {
    Image image{static_cast<uint32_t>(width_), static_cast<uint32_t>(height_), {}};
    image.pixels.reserve(pixels_.size());
    for (const Rgba& p : pixels_) {
        image.pixels.push_back(p.toArgb());
    }
    return image;
}

Image Canvas::toCutoutImage(Rgba matte) const {
    Image image{static_cast<uint32_t>(width_), static_cast<uint32_t>(height_), {}};
    image.pixels.reserve(pixels_.size());
    for (const Rgba& p : pixels_) {
        const bool touched = p.a >= 0.5f / 255.0f;
        image.pixels.push_back(touched ? mix(matte, p, p.a).withAlpha(1.0f).toArgb() : 0u);
    }
    return image;
}

} // namespace qv::content
