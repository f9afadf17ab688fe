#pragma once

#include "core/Vec3.h"
#include "field/FieldCell.h"
#include "platform/RenderTypes.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qv {

// The visible part of the ground for one frame: the cells within sight range + 2 of the eye's
// cell that lie on the eye's side of a line through a point 1.5 behind the eye, square to the
// view. Their prebuilt vertices are copied, in grid order, into a buffer allocated once.
class DrawWindow {
  public:
    explicit DrawWindow(int32_t sightRange);

    // Fills the buffer for this view from the field's cells (i-major, 100 x 100) and returns the
    // number of vertices written. Without fill the same vertices are only counted, for a device
    // that does not read them.
    size_t select(std::span<const FieldCell> cells, const Vec3& eye, float yaw, bool fill = true);

    const WorldVertex* vertices() const { return vertices_.data(); }
    size_t vertexCount() const { return count_; }
    size_t capacity() const { return vertices_.size(); }

  private:
    int32_t sightRange_;
    std::vector<WorldVertex> vertices_;
    size_t count_ = 0;

    void append(const FieldCell& cell);
    bool take(std::span<const FieldCell> row, int64_t begin, int64_t end, bool fill);
};

} // namespace qv
