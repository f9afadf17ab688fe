#include "pictures/CoverageMask.h"

#include <algorithm>
#include <cmath>

namespace qv::content {

CoverageMask::CoverageMask(int left, int top, int width, int height)
    : left_(left), top_(top), width_(std::max(width, 0)), height_(std::max(height, 0)),
      values_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0.0f) {}

float CoverageMask::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0.0f;
    }
    return values_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void CoverageMask::add(int x, int y, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    float& v = values_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    v = std::min(1.0f, v + coverage);
}

CoverageMask CoverageMask::dilated(float radius) const {
    const int margin = static_cast<int>(std::ceil(radius)) + 1;
    CoverageMask grown(left_ - margin, top_ - margin, width_ + 2 * margin, height_ + 2 * margin);
    // Each source pixel stamps a disc. A covered pixel's ink reaches half a pixel past its centre,
    // so the grown edge lies radius + 0.5 from it; the rim pixel straddling that edge is partly
    // covered.
    struct Offset {
        int dx;
        int dy;
        float weight;
    };
    std::vector<Offset> disc;
    for (int dy = -margin; dy <= margin; ++dy) {
        for (int dx = -margin; dx <= margin; ++dx) {
            const float weight = std::clamp(radius + 1.0f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
            if (weight > 0.0f) {
                disc.push_back({dx, dy, weight});
            }
        }
    }
    for (int y = 0; y < grown.height_; ++y) {
        for (int x = 0; x < grown.width_; ++x) {
            float best = 0.0f;
            for (const Offset& o : disc) {
                best = std::max(best, at(x - margin + o.dx, y - margin + o.dy) * o.weight);
            }
            grown.values_[static_cast<size_t>(y) * static_cast<size_t>(grown.width_) +
                          static_cast<size_t>(x)] = best;
        }
    }
    return grown;
}

} // namespace qv::content
