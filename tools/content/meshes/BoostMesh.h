#pragma once

#include "meshes/TriangleMesh.h"

namespace qv::content {

// x/boost.x: a flame-shaped shell around the origin: a rounded nose ahead (+x), a wavy tail
// trailing backwards. u runs around the flame (its seam underneath), v from the nose (0) to the
// tip of the tail (1), so the flame textures' tongues lick backwards. The game draws it scaled
// by 2.2 to 7 with its own texture, so it is small here: at the largest scale it wraps the whole
// rider, at the smallest it flickers round the wheels.
TriangleMesh boostMesh();

} // namespace qv::content
