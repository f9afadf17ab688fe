#pragma once

#include "assets/DataFiles.h"
#include "core/Vec3.h"
#include "field/FieldHeights.h"
#include "terrain/TerrainShapes.h"

#include <vector>

namespace qv::content {

// The game has four fields, read as Field0.dat .. Field3.dat by stage number.
constexpr int kFieldCount = static_cast<int>(data::kFieldCount);
// Every rider starts here, facing +x (heading 0).
constexpr Vec2 kStartPoint{50.0f, 50.0f};

// One generated field: its heights and the jump ramps built into it.
struct Terrain {
    FieldHeights heights;
    std::vector<Ramp> ramps; // the first one lies straight ahead of the start
};

// Field n (0..3), the same on every run: 0 rolling meadows round a central lake, 1 islands and
// channels, 2 hills cut by ravines, 3 plateaus under a mountain range.
Terrain generateTerrain(int field);

} // namespace qv::content
