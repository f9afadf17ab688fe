#include "field/DrawWindow.h"

#include "field/FieldGrid.h"
#include "game/GameState.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Truncates toward zero. An eye far off the field (or not a number) becomes a cell so far away
// that nothing is in sight, instead of an undefined conversion.
int64_t toCell(double v) {
    constexpr double kFar = 1.0e6;
    if (!(v > -kFar))
        return static_cast<int64_t>(-kFar);
    if (v > kFar)
        return static_cast<int64_t>(kFar);
    return static_cast<int64_t>(v);
}

} // namespace

DrawWindow::DrawWindow(int32_t sightRange)
    : sightRange_(GameState::clampSightRange(sightRange)),
      vertices_(static_cast<size_t>(sightRange_) * sightRange_ * 24) {}

size_t DrawWindow::select(std::span<const FieldCell> cells, const Vec3& eye, float yaw) {
    constexpr int64_t kLast = FieldGrid::kCells - 1;
    const double yawD = yaw;
    const int64_t bx = toCell(eye.x - 1.5 * std::cos(yawD));
    const int64_t bz = toCell(eye.z - 1.5 * std::sin(yawD));
    const int64_t cx = toCell(eye.x);
    const int64_t cz = toCell(eye.z);
    const int64_t radius = sightRange_ + 2;

    count_ = 0;
    if (cells.size() != static_cast<size_t>(FieldGrid::kCells) * FieldGrid::kCells)
        return 0;
    // Rows and columns further than the radius from the eye's cell can never pass the disc test.
    const int64_t iEnd = std::min(kLast, cx + radius - 1);
    const int64_t jEnd = std::min(kLast, cz + radius - 1);
    for (int64_t i = std::max<int64_t>(0, cx - radius + 1); i <= iEnd; ++i) {
        for (int64_t j = std::max<int64_t>(0, cz - radius + 1); j <= jEnd; ++j) {
            const int64_t dx = cx - i, dz = cz - j;
            if (dx * dx + dz * dz >= radius * radius)
                continue;
            const double angle = std::atan2(static_cast<double>(j - bz), static_cast<double>(i - bx));
            if (std::cos(angle - yawD) < 0.0)
                continue;
            if (count_ + FieldCell::kVertexCount > vertices_.size())
                return count_;
            append(cells[static_cast<size_t>(i * FieldGrid::kCells + j)]);
        }
    }
    return count_;
}

void DrawWindow::append(const FieldCell& cell) {
    std::copy(cell.vertices.begin(), cell.vertices.end(), vertices_.begin() + static_cast<ptrdiff_t>(count_));
    count_ += cell.vertices.size();
}

} // namespace qv
