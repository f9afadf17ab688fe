#include "RaceContent.h"

#include "ContentPaths.h"
#include "HudTextures.h"
#include "RaceSounds.h"
#include "StartPictures.h"
#include "WaterEffectTextures.h"
#include "assets/DataFiles.h"
#include "formats/XMeshWriter.h"
#include "meshes/StrollenMesh.h"

namespace qv::content {

void writeRaceMeshes(GeneratorContext& context) {
    context.out.write(dataFile(data::kGoalMesh), encodeXMesh(strollenMesh(), "Strollen"));
}

void writeRaceTextures(GeneratorContext& context) {
    context.out.writeTexture(dataFile(data::kScoreDigitTexture), scoreDigitSheet(context.text));
    context.out.writeTexture(dataFile(data::kTimeDigitTexture), timerDigitSheet(context.text));
    context.out.writeTexture(dataFile(data::kTimePanelTexture), timerPanel());
    context.out.writeTexture(dataFile(data::kStartTexture), startPicture(context.text, StartPicture::Run));
    context.out.writeTexture(dataFile(data::kDemoStartTexture),
                             startPicture(context.text, StartPicture::Demo));
    context.out.writeTexture(dataFile(data::kRippleTexture), rippleTexture());
    context.out.writeTexture(dataFile(data::kSplashTexture), splashTexture());
}

void writeRaceSounds(GeneratorContext& context) {
    const Synth& synth = context.synth;
    context.out.writeSound(dataFile(data::kLaughSound), laughSound(synth));
    context.out.writeSound(dataFile(data::kKnockDownSound), knockDownSound(synth));
    context.out.writeSound(dataFile(data::kScoreCountSound), scoreTickSound(synth));
    context.out.writeSound(dataFile(data::kStampSound), stampSound(synth));
    context.out.writeSound(dataFile(data::kWadeSound), wadeSplashSound(synth));
    context.out.writeSound(dataFile(data::kDeepSplashSound), deepSplashSound(synth));
}

} // namespace qv::content
