#include "field/FieldGrid.h"

namespace qv {

namespace {

// Keeps a coordinate on the field (NaN goes to 0) and splits it into a cell index in 0..99 and
// the offset inside that cell; a point on the far border lands on the last cell with offset 1.
int split(float v, float& offset) {
    constexpr float kSize = static_cast<float>(FieldGrid::kCells);
    if (!(v >= 0.0f))
        v = 0.0f;
    else if (v > kSize)
        v = kSize;
    int index = static_cast<int>(v);
    if (index > FieldGrid::kCells - 1)
        index = FieldGrid::kCells - 1;
    offset = v - static_cast<float>(index);
    return index;
}

} // namespace

FieldGrid::FieldGrid(const FieldHeights& heights, const TerrainPalette& palette) {
    cells_.reserve(static_cast<size_t>(kCells) * kCells);
    for (int i = 0; i < kCells; ++i) {
        for (int j = 0; j < kCells; ++j) {
            cells_.push_back(FieldCell::build(i, j, heights.at(i, j), heights.at(i, j + 1),
                                              heights.at(i + 1, j + 1), heights.at(i + 1, j), palette));
        }
    }
}

const FieldCell& FieldGrid::locate(float x, float z, float& fx, float& fz) const {
    int i = split(x, fx);
    int j = split(z, fz);
    return cells_[index(i, j)];
}

float FieldGrid::heightAt(float x, float z) const {
    float fx, fz;
    return locate(x, z, fx, fz).heightAt(fx, fz);
}

const Vec3& FieldGrid::normalAt(float x, float z) const {
    float fx, fz;
    return locate(x, z, fx, fz).normalAt(fx, fz);
}

} // namespace qv
