#pragma once

#include "meshes/TriangleMesh.h"

namespace qv::content {

// x/strollen.x: the target character, a cheeky little jester with a floppy cap, pointed ears and
// curled shoes, waggling its gloved hands beside its head and sticking its tongue out. Its face
// looks along +x. The game draws it 12 times its size around the goal point, which lies 0.6 above
// the ground, so the file holds it kStrollenHeight tall with its bounding box centred on the
// origin: drawn, it stands 1.2 units tall with its feet on the ground.
constexpr float kStrollenHeight = 0.1f;

TriangleMesh strollenMesh();

} // namespace qv::content
