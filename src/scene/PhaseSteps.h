#pragma once

#include "scene/SceneParts.h"

namespace qv {

// Steps the three phases share. The drawing steps set the render states their components assume.
namespace phase {

constexpr unsigned kSkyBlue = 0xFF4455FF;

// Unlit world vertices with the z test off: the sky behind everything.
void drawSky(const SceneParts& parts);
// Lit meshes with alpha blending off.
void beginMeshPass(const SceneParts& parts);
// Unlit world vertices.
void beginWorldPass(const SceneParts& parts);
// Alpha blending on and z writes off for the see-through things laid over the terrain.
void beginTransparentPass(const SceneParts& parts);
void endTransparentPass(const SceneParts& parts);
// The ground, then the shadow, the water, the ripples and the boost flame over it.
void drawGroundAndWater(const SceneParts& parts);
// Splash particles as point sprites.
void drawSplashes(const SceneParts& parts);
// Pre-transformed overlay vertices.
void beginOverlayPass(const SceneParts& parts);

// Ripples and splashes where the rider touches the water, then both move on.
void moveWaterEffects(const SceneParts& parts);

} // namespace phase
} // namespace qv
