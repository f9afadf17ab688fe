#pragma once

#include "meshes/TriangleMesh.h"

namespace qv::content {

// x/tricycle.x: a red tricycle with a big front wheel and its pedals, two small rear wheels on an
// axle, a seat and a handlebar, its wheels on y = 0; sized as RiderLayout.h explains.
TriangleMesh tricycleMesh();

} // namespace qv::content
