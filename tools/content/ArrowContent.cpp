#include "ArrowContent.h"

#include "ContentPaths.h"
#include "TargetMarker.h"
#include "assets/DataFiles.h"
#include "formats/XMeshWriter.h"
#include "meshes/ArrowMesh.h"

namespace qv::content {

void writeArrowContent(GeneratorContext& context) {
    context.out.write(dataFile(data::kArrowMesh), encodeXMesh(arrowMesh(), "TargetArrow"));
    context.out.writeTexture(dataFile(data::kTargetTexture), targetMarkerTexture());
}

} // namespace qv::content
