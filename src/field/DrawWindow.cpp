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
      capacity_(static_cast<size_t>(sightRange_) * sightRange_ * 24) {
    // At worst every cell starts a run of its own; the list never grows while drawing.
    runs_.reserve(capacity_ / FieldCell::kVertexCount);
}

size_t DrawWindow::select(std::span<const FieldCell> cells, const Vec3& eye, float yaw) {
    constexpr int64_t kLast = FieldGrid::kCells - 1;
    const double yawD = yaw;
    const int64_t bx = toCell(eye.x - 1.5 * std::cos(yawD));
    const int64_t bz = toCell(eye.z - 1.5 * std::sin(yawD));
    const int64_t cx = toCell(eye.x);
    const int64_t cz = toCell(eye.z);
    const int64_t radius = sightRange_ + 2;

    count_ = 0;
    runs_.clear();
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
            if (count_ + FieldCell::kVertexCount > capacity_)
                return count_;
            append(static_cast<size_t>(i * FieldGrid::kCells + j));
        }
    }
    return count_;
}

void DrawWindow::append(size_t cell) {
    const auto first = static_cast<uint32_t>(cell * FieldCell::kVertexCount);
    if (!runs_.empty() && runs_.back().first + runs_.back().count == first)
        runs_.back().count += FieldCell::kVertexCount;
    else
        runs_.push_back({first, FieldCell::kVertexCount});
    count_ += FieldCell::kVertexCount;
}

} // namespace qv
