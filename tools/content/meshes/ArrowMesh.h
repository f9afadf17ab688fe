#pragma once

#include "meshes/TriangleMesh.h"

namespace qv::content {

// x/arrow.x: a flat, thick arrow along +x centred on the origin (so it swings about its middle),
// its broad side up (+y). The top and bottom faces are bright yellow; the bevels and the sides
// that frame them are a darker orange, so the shape reads from above, below and edge-on. The
// game draws it at 0.07 times this size and more while it pulses, just over the rider's head:
// about half the rider's length at rest, the rider's length at a pulse's height.

TriangleMesh arrowMesh();

} // namespace qv::content
