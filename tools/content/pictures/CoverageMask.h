#pragma once

#include <vector>

namespace qv::content {

// A grey-level stencil placed on a canvas: how much of each pixel a shape covers (0..1).
// Text is rasterised into one before it is painted, so outlines can be grown from it.
class CoverageMask {
  public:
    // A blank mask whose top-left pixel lands on canvas pixel (left, top).
    CoverageMask(int left, int top, int width, int height);

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Coverage at mask pixel (x, y); 0 outside the mask.
    float at(int x, int y) const;
    // Adds coverage at mask pixel (x, y), saturating at 1; ignored outside the mask.
    void add(int x, int y, float coverage);

    // The mask grown by radius pixels in every direction, with a soft, anti-aliased rim.
    CoverageMask dilated(float radius) const;

  private:
    int left_;
    int top_;
    int width_;
    int height_;
    std::vector<float> values_;
};

} // namespace qv::content
