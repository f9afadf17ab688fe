#include "LetteringSheets.h"

#include "ContentPaths.h"

namespace qv::content {

void writeLetteringSheets(GeneratorContext& context) {
    context.out.writeTexture(texturePath("str.dds"), signSheet(context.text));
    context.out.writeTexture(texturePath("strd.dds"), modeSheet(context.text));
    context.out.writeTexture(texturePath("stagenum.dds"), stageSheet(context.text));
    context.out.writeTexture(texturePath("rest.dds"), remainingSheet(context.text));
}

} // namespace qv::content
