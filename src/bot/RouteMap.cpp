#include "bot/RouteMap.h"

#include "field/FieldGrid.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>
#include <utility>

namespace qv {

namespace {

constexpr float kFloatDepth = 0.07f;   // the rider floats this far under the water level
constexpr float kSteepNormalY = 0.6f;  // the rider slides back from ground steeper than this
constexpr float kMaxGrade = 0.4f;      // rise per unit the pedals still climb at a crawl
constexpr float kClimbWeight = 4.0f;   // each unit of grade adds this much to a step's weight
constexpr float kWallWeight = 1000.0f; // a step up something the rider cannot climb
constexpr float kWaterWeight = 6.0f;   // afloat, only the boost moves the rider
constexpr float kEdgeWeight = 3.0f;    // near the border the rider meets walls or falls in
constexpr float kEdgeMargin = 1.0f;
constexpr float kAvoidRadius = 2.0f;
constexpr float kAvoidWeight = 8.0f;
constexpr float kDiagonal = 1.41421356f;

constexpr std::pair<int, int> kSteps[] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                          {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

bool onField(int i, int j) {
    return i >= 0 && j >= 0 && i < RouteMap::kPoints && j < RouteMap::kPoints;
}

// A point counts as a wall when any of the triangles round it is too steep.
bool steepAround(const FieldGrid& ground, float x, float z) {
    constexpr float kProbe = RouteMap::kSpacing / 2.0f;
    for (float dx : {-kProbe, kProbe})
        for (float dz : {-kProbe, kProbe})
            if (ground.normalAt(x + dx, z + dz).y < kSteepNormalY)
                return true;
    return false;
}

} // namespace

RouteMap::RouteMap(const FieldGrid& ground, float waterLevel, const Vec3& goal)
    : goal_(goal), goalIndex_(nearest(goal)), points_(static_cast<size_t>(kPoints) * kPoints) {
    const float floatHeight = waterLevel - kFloatDepth;
    for (int i = 0; i < kPoints; ++i) {
        for (int j = 0; j < kPoints; ++j) {
            Point& p = points_[index(i, j)];
            const float x = i * kSpacing, z = j * kSpacing;
            const float h = ground.heightAt(x, z);
            p.afloat = h < floatHeight;
            p.height = std::max(h, floatHeight);
            p.steep = !p.afloat && steepAround(ground, x, z);
        }
    }
    plan();
}

int32_t RouteMap::nearest(const Vec3& at) const {
    auto snap = [](float v) {
        float s = std::round(v / kSpacing);
        return static_cast<int>(std::clamp(std::isfinite(s) ? s : 0.0f, 0.0f, kPoints - 1.0f));
    };
    return index(snap(at.x), snap(at.z));
}

Vec3 RouteMap::position(int32_t n) const {
    return {(n / kPoints) * kSpacing, points_[n].height, (n % kPoints) * kSpacing};
}

float RouteMap::stepCost(const Point& a, const Point& b, int i, int j, float length) const {
    float weight = 1.0f;
    const float grade = (b.height - a.height) / length;
    if (a.afloat && b.afloat)
        weight = kWaterWeight;
    else if (grade > kMaxGrade || (b.steep && grade > 0.0f))
        weight = kWallWeight;
    else if (grade > 0.0f)
        weight += kClimbWeight * grade;
    const float margin = kEdgeMargin / kSpacing;
    if (i < margin || j < margin || i > kPoints - 1 - margin || j > kPoints - 1 - margin)
        weight *= kEdgeWeight;
    return length * weight * b.penalty;
}

// Cheapest costs to the goal, spreading out from it (Dijkstra over the eight neighbours).
void RouteMap::plan() {
    for (Point& p : points_) {
        p.cost = std::numeric_limits<float>::infinity();
        p.next = -1;
    }
    using Entry = std::pair<float, int32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    points_[goalIndex_].cost = 0.0f;
    open.push({0.0f, goalIndex_});
    while (!open.empty()) {
        auto [cost, n] = open.top();
        open.pop();
        if (cost > points_[n].cost)
            continue;
        const int bi = n / kPoints, bj = n % kPoints;
        for (auto [di, dj] : kSteps) {
            const int ai = bi + di, aj = bj + dj;
            if (!onField(ai, aj))
                continue;
            const int32_t a = index(ai, aj);
            const float length = kSpacing * (di != 0 && dj != 0 ? kDiagonal : 1.0f);
            // The rider rides from a to b, so the step is weighed in that direction.
            const float through = cost + stepCost(points_[a], points_[n], ai, aj, length);
            if (through < points_[a].cost) {
                points_[a].cost = through;
                points_[a].next = n;
                open.push({through, a});
            }
        }
    }
}

float RouteMap::costFrom(const Vec3& at) const {
    return points_[nearest(at)].cost;
}

Vec3 RouteMap::aimFrom(const Vec3& at, float ahead) const {
    int32_t n = nearest(at);
    Vec3 from = position(n);
    from.y = 0.0f;
    float ridden = 0.0f;
    while (n != goalIndex_ && points_[n].next >= 0) {
        n = points_[n].next;
        Vec3 to = position(n);
        to.y = 0.0f;
        ridden += length(to - from);
        from = to;
        if (ridden >= ahead)
            return position(n);
    }
    return goal_;
}

void RouteMap::avoid(const Vec3& place) {
    const int reach = static_cast<int>(std::ceil(kAvoidRadius / kSpacing));
    const int32_t centre = nearest(place);
    const int ci = centre / kPoints, cj = centre % kPoints;
    for (int i = ci - reach; i <= ci + reach; ++i) {
        for (int j = cj - reach; j <= cj + reach; ++j) {
            if (!onField(i, j) || index(i, j) == goalIndex_)
                continue;
            const float d = std::hypot(static_cast<float>(i - ci), static_cast<float>(j - cj)) * kSpacing;
            if (d <= kAvoidRadius)
                points_[index(i, j)].penalty *= kAvoidWeight;
        }
    }
    plan();
}

} // namespace qv
