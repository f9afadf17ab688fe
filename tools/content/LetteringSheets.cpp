#include "LetteringSheets.h"

#include "ContentPaths.h"
#include "assets/DataFiles.h"

namespace qv::content {

void writeLetteringSheets(GeneratorContext& context) {
    context.out.writeTexture(dataFile(data::kBannerSheet), signSheet(context.text));
    context.out.writeTexture(dataFile(data::kDemoBannerSheet), modeSheet(context.text));
    context.out.writeTexture(dataFile(data::kStageNumberSheet), stageSheet(context.text));
    context.out.writeTexture(dataFile(data::kRemainingSheet), remainingSheet(context.text));
}

} // namespace qv::content
