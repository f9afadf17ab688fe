#pragma once

#include "scene/SceneParts.h"

namespace qv {

// Drawing steps the three phases share; each sets the render states its components assume.
namespace phase {

constexpr unsigned kSkyBlue = 0xFF4455FF;

// Unlit, z test off: the sky behind everything.
void drawSky(const SceneParts& parts);
// Unlit world vertices, alpha blending off.
void beginWorldPass(const SceneParts& parts);
// Alpha blending on and z writes off for the see-through things laid over the terrain.
void beginTransparentPass(const SceneParts& parts);
void endTransparentPass(const SceneParts& parts);
// Lit meshes with alpha blending off.
void beginMeshPass(const SceneParts& parts);
// Pre-transformed overlay vertices.
void beginOverlayPass(const SceneParts& parts);

} // namespace phase
} // namespace qv
