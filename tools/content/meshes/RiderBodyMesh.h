#pragma once

#include "meshes/TriangleMesh.h"

namespace qv::content {

// x/tikobody.x: the rider, a round friendly creature sitting on the tricycle's seat with its
// hands on the grips and its feet on the pedals (RiderLayout.h), its face towards +x.
TriangleMesh riderBodyMesh();

// x/tikomayu.x: the rider's eyebrows, above its eyes; drawn with the body's transform.
TriangleMesh riderBrowsMesh();

} // namespace qv::content
