#include "field/DrawWindow.h"

#include "field/FieldGrid.h"
#include "game/GameState.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

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

// Largest h with h * h < n, for n > 0.
int64_t halfChord(int64_t n) {
    auto h = static_cast<int64_t>(std::sqrt(static_cast<double>(n - 1)));
    while (h * h >= n)
        --h;
    while ((h + 1) * (h + 1) < n)
        ++h;
    return h;
}

// Which side of the line through the apex cell, square to the view, a cell lies on: the cosine of
// the angle between the view and the cell's direction from the apex must not be negative. Off the
// apex's row and column the sign of the dot product gives that sign without an arctangent and a
// cosine per cell. On them the angle is a multiple of a quarter turn that atan2 rounds, and with
// a yaw within that rounding of it the dot product could disagree; the five directions there are
// decided by the cosine itself, once a frame. A yaw that is not a number keeps every cell.
class HalfPlane {
  public:
    explicit HalfPlane(double yaw)
        : yaw_(yaw), cos_(std::cos(yaw)), sin_(std::sin(yaw)), apex_(facing(0, 0)), up_(facing(0, 1)),
          down_(facing(0, -1)), east_(facing(1, 0)), west_(facing(-1, 0)) {}

    // The kept cells of [first, last] in one row, as [begin, end). The cells must lie on one side
    // of the apex's column (or be the cell on it): the rounded dot product is monotonic along the
    // row, so they form one run, found by bisection.
    std::pair<int64_t, int64_t> run(int64_t ex, int64_t first, int64_t last) const {
        if (ex == 0 || first == 0) {
            const bool kept = onAxis(ex, first);
            return kept ? std::pair{first, last + 1} : std::pair{first, first};
        }
        const bool firstKept = keeps(ex, first);
        if (firstKept == keeps(ex, last))
            return firstKept ? std::pair{first, last + 1} : std::pair{first, first};
        int64_t lo = first, hi = last; // keeps(lo) == firstKept != keeps(hi)
        while (hi - lo > 1) {
            const int64_t mid = lo + (hi - lo) / 2;
            (keeps(ex, mid) == firstKept ? lo : hi) = mid;
        }
        return firstKept ? std::pair{first, hi} : std::pair{hi, last + 1};
    }

  private:
    double yaw_, cos_, sin_;
    bool apex_, up_, down_, east_, west_;

    bool onAxis(int64_t ex, int64_t ez) const {
        if (ex == 0)
            return ez == 0 ? apex_ : (ez > 0 ? up_ : down_);
        return ex > 0 ? east_ : west_;
    }
    bool facing(int64_t ex, int64_t ez) const {
        return !(std::cos(std::atan2(static_cast<double>(ez), static_cast<double>(ex)) - yaw_) < 0.0);
    }
    bool keeps(int64_t ex, int64_t ez) const {
        return !(static_cast<double>(ex) * cos_ + static_cast<double>(ez) * sin_ < 0.0);
    }
};

// A row's cells within the disc, split at the apex's column: left of it, on it, right of it.
std::array<std::pair<int64_t, int64_t>, 3> splitAtColumn(int64_t first, int64_t last, int64_t column) {
    return {{{first, std::min(last, column - 1)},
             {std::max(first, column), std::min(last, column)},
             {std::max(first, column + 1), last}}};
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
    const HalfPlane halfPlane(yawD);

    count_ = 0;
    runs_.clear();
    if (cells.size() != static_cast<size_t>(FieldGrid::kCells) * FieldGrid::kCells)
        return 0;
    // Rows and columns further than the radius from the eye's cell can never pass the disc test.
    const int64_t iEnd = std::min(kLast, cx + radius - 1);
    for (int64_t i = std::max<int64_t>(0, cx - radius + 1); i <= iEnd; ++i) {
        // The row's cells inside the disc, then those of them on the eye's side.
        const int64_t dx = cx - i;
        const int64_t half = halfChord(radius * radius - dx * dx);
        const int64_t jFirst = std::max<int64_t>(0, cz - half);
        const int64_t jLast = std::min(kLast, cz + half);
        if (jFirst > jLast)
            continue;
        for (const auto& [first, last] : splitAtColumn(jFirst, jLast, bz)) {
            if (first > last)
                continue;
            const auto [begin, end] = halfPlane.run(i - bx, first - bz, last - bz);
            if (!take(static_cast<size_t>(i * FieldGrid::kCells), begin + bz, end + bz))
                return count_;
        }
    }
    return count_;
}

// Cells [begin, end) of the row that starts at cell rowStart, added to the runs; false once the
// window is full.
bool DrawWindow::take(size_t rowStart, int64_t begin, int64_t end) {
    const auto room = static_cast<int64_t>((capacity_ - count_) / FieldCell::kVertexCount);
    const int64_t last = std::min(end, begin + room);
    if (last > begin) {
        const auto first =
            static_cast<uint32_t>((rowStart + static_cast<size_t>(begin)) * FieldCell::kVertexCount);
        const auto count = static_cast<uint32_t>(last - begin) * FieldCell::kVertexCount;
        if (!runs_.empty() && runs_.back().first + runs_.back().count == first)
            runs_.back().count += count;
        else
            runs_.push_back({first, count});
        count_ += count;
    }
    return last == end;
}

} // namespace qv
