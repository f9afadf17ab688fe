#include "ArrowContent.h"

#include "ContentPaths.h"
#include "TargetMarker.h"
#include "formats/XMeshWriter.h"
#include "meshes/ArrowMesh.h"

namespace qv::content {

void writeArrowContent(GeneratorContext& context) {
    context.out.write(meshPath("arrow.x"), encodeXMesh(arrowMesh(), "TargetArrow"));
    context.out.writeTexture(texturePath("target.dds"), targetMarkerTexture());
}

} // namespace qv::content
