#pragma once

#include "core/Image.h"
#include "core/Vec3.h"
#include "pictures/CoverageMask.h"
#include "pictures/Paint.h"
#include "pictures/Rgba.h"

#include <functional>
#include <vector>

namespace qv::content {

// A small raster for drawing textures: anti-aliased shapes composited "source over" onto
// straight-alpha pixels. Coordinates are pixels, (0, 0) the top-left corner of the top-left
// pixel, so pixel (x, y) is centred on (x + 0.5, y + 0.5).
class Canvas {
  public:
    Canvas(int width, int height, Rgba background = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba pixel(int x, int y) const;

    // Draws the shapes and paints that follow in the units of a drawing made for another size:
    // the drawing's point p lands on pixel position (p - origin) * scale. Masks, canvases and
    // images are still placed in pixels. The default view (origin 0, scale 1) leaves every
    // coordinate exactly as given.
    void setView(Vec2 origin, float scale);

    void fill(const Paint& paint);
    void fillDisc(Vec2 centre, float radius, const Paint& paint);
    void fillRing(Vec2 centre, float innerRadius, float outerRadius, const Paint& paint);
    void fillRoundedRect(Vec2 topLeft, Vec2 bottomRight, float cornerRadius, const Paint& paint);
    // Any simple or self-overlapping polygon; the inside follows the non-zero winding rule.
    void fillPolygon(const std::vector<Vec2>& points, const Paint& paint);
    // A straight stroke with round ends.
    void strokeLine(Vec2 from, Vec2 to, float width, const Paint& paint);
    void fillMask(const CoverageMask& mask, const Paint& paint);
    // Composites another canvas with its top-left corner at (x, y).
    void drawCanvas(const Canvas& source, int x, int y);
    // Draws an image scaled into the rectangle (x, y, width, height), averaging the source.
    void drawImage(const Image& image, int x, int y, int width, int height);

    Image toImage() const;
    // For textures whose alpha is cut to one bit: every touched pixel becomes opaque with its
    // colour composited over the matte (the colour it will be seen against), untouched pixels
    // stay fully transparent. Edges then stay smooth against that matte.
    Image toCutoutImage(Rgba matte) const;

  private:
    using DistanceFunction = std::function<float(float x, float y)>;

    // Fills the pixels of [minX, maxX] x [minY, maxY] with coverage from a signed distance
    // (negative inside, in pixels), which gives a one-pixel anti-aliased edge.
    void fillDistance(float minX, float minY, float maxX, float maxY, const DistanceFunction& distance,
                      const Paint& paint);
    void blend(int x, int y, Rgba colour, float coverage);
    Vec2 toPixels(Vec2 point) const;
    Vec2 toDrawing(float px, float py) const;

    int width_;
    int height_;
    std::vector<Rgba> pixels_;
    Vec2 viewOrigin_;
    float viewScale_ = 1.0f;
};

} // namespace qv::content
