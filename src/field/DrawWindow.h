#pragma once

#include "core/Vec3.h"
#include "field/FieldCell.h"
#include "platform/StaticGeometry.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qv {

// The visible part of the ground for one frame: the cells within sight range + 2 of the eye's
// cell that lie on the eye's side of a line through a point 1.5 behind the eye, square to the
// view. They are listed as runs of the field's vertices (six per cell, cell k from vertex 6k), in
// grid order, in a list allocated once.
class DrawWindow {
  public:
    explicit DrawWindow(int32_t sightRange);

    // Lists the cells in sight of this view from the field's cells (i-major, 100 x 100) and
    // returns the number of vertices they hold.
    size_t select(std::span<const FieldCell> cells, const Vec3& eye, float yaw);

    std::span<const VertexRange> runs() const { return runs_; }
    size_t vertexCount() const { return count_; }
    size_t capacity() const { return capacity_; }

  private:
    int32_t sightRange_;
    size_t capacity_;
    std::vector<VertexRange> runs_;
    size_t count_ = 0;

    bool take(size_t rowStart, int64_t begin, int64_t end);
};

} // namespace qv
