#pragma once

#include "core/Vec3.h"
#include "field/TerrainPalette.h"
#include "platform/RenderTypes.h"

#include <array>

namespace qv {

// One unit square of ground, prebuilt once so drawing only copies vertices. The square is cut
// along the diagonal from (i, j+1) to (i+1, j): triangle A holds fx + fz < 1, triangle B the rest.
struct FieldCell {
    static constexpr int kVertexCount = 6;

    std::array<WorldVertex, kVertexCount> vertices{}; // triangle A (0-2), then B (3-5)
    Vec3 normalA;
    Vec3 normalB;
    float h00 = 0.0f, h01 = 0.0f, h11 = 0.0f, h10 = 0.0f; // corner heights, hXZ = H(i+X, j+Z)

    // The cell whose low corner is the grid point (i, j).
    static FieldCell build(int i, int j, float h00, float h01, float h11, float h10,
                           const TerrainPalette& palette);

    // Plane height of the triangle holding the local point (fx, fz), 0 <= fx, fz <= 1.
    float heightAt(float fx, float fz) const {
        if (fx + fz < 1.0f)
            return h00 + (h10 - h00) * fx + (h01 - h00) * fz;
        return h01 + h10 - h11 + (h11 - h01) * fx + (h11 - h10) * fz;
    }
    const Vec3& normalAt(float fx, float fz) const { return fx + fz < 1.0f ? normalA : normalB; }
};

} // namespace qv
