#pragma once

#include "field/FieldCell.h"
#include "field/FieldHeights.h"
#include "field/TerrainPalette.h"

#include <span>
#include <vector>

namespace qv {

// The 100 x 100 cells of a field and the two terrain queries. Points outside the field are
// clamped to its border (NaN counts as 0), so a stray caller never reads outside the grid.
class FieldGrid {
  public:
    static constexpr int kCells = 100;

    FieldGrid(const FieldHeights& heights, const TerrainPalette& palette);

    // Ground height at world (x, z).
    float heightAt(float x, float z) const;
    // Unit normal of the triangle under (x, z); the reference lives as long as the grid.
    const Vec3& normalAt(float x, float z) const;

    const FieldCell& cell(int i, int j) const { return cells_[index(i, j)]; }
    // Every cell, i-major: cell (i, j) at i * kCells + j.
    std::span<const FieldCell> cells() const { return cells_; }

  private:
    std::vector<FieldCell> cells_;

    static size_t index(int i, int j) { return static_cast<size_t>(i) * kCells + j; }
    // Cell holding (x, z) and the point's offset inside it.
    const FieldCell& locate(float x, float z, float& fx, float& fz) const;
};

} // namespace qv
