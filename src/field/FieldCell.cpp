#include "field/FieldCell.h"

#include <cmath>

namespace qv {

namespace {

// Unit normal of the triangle p0 p1 p2, as normalize((p1 - p0) x (p2 - p0)). Worked in double so
// that absurd heights from a damaged file still give a unit vector instead of an overflow.
Vec3 triangleNormal(const WorldVertex& p0, const WorldVertex& p1, const WorldVertex& p2) {
    double ax = p1.x - p0.x, ay = double{p1.y} - p0.y, az = p1.z - p0.z;
    double bx = p2.x - p0.x, by = double{p2.y} - p0.y, bz = p2.z - p0.z;
    double nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
    double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    return {static_cast<float>(nx / len), static_cast<float>(ny / len), static_cast<float>(nz / len)};
}

} // namespace

FieldCell FieldCell::build(int i, int j, float h00, float h01, float h11, float h10,
                           const TerrainPalette& palette) {
    struct Corner {
        float x, y, z;
    };
    const std::array<Corner, kVertexCount> local = {
        {{0, h00, 0}, {0, h01, 1}, {1, h10, 0}, {0, h01, 1}, {1, h11, 1}, {1, h10, 0}}};

    FieldCell cell;
    cell.h00 = h00;
    cell.h01 = h01;
    cell.h11 = h11;
    cell.h10 = h10;
    for (size_t k = 0; k < local.size(); ++k) {
        const Corner& c = local[k];
        cell.vertices[k] = {c.x + static_cast<float>(i), c.y, c.z + static_cast<float>(j),
                            palette.colorAt(c.y),        c.x, c.z};
    }
    const auto& v = cell.vertices;
    cell.normalA = triangleNormal(v[0], v[1], v[2]);
    cell.normalB = triangleNormal(v[3], v[4], v[5]);
    return cell;
}

} // namespace qv
