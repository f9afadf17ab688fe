#include "RaceContent.h"

#include "ContentPaths.h"
#include "HudTextures.h"
#include "RaceSounds.h"
#include "StartPictures.h"
#include "WaterEffectTextures.h"
#include "formats/XMeshWriter.h"
#include "meshes/StrollenMesh.h"

namespace qv::content {

void writeRaceMeshes(GeneratorContext& context) {
    context.out.write(meshPath("strollen.x"), encodeXMesh(strollenMesh(), "Strollen"));
}

void writeRaceTextures(GeneratorContext& context) {
    context.out.writeTexture(texturePath("num.dds"), scoreDigitSheet(context.text));
    context.out.writeTexture(texturePath("timenum.dds"), timerDigitSheet(context.text));
    context.out.writeTexture(texturePath("timeback.dds"), timerPanel());
    context.out.writeTexture(texturePath("start.dds"), startPicture(context.text, StartPicture::Run));
    context.out.writeTexture(texturePath("startd.dds"), startPicture(context.text, StartPicture::Demo));
    context.out.writeTexture(texturePath("Ripple.dds"), rippleTexture());
    context.out.writeTexture(texturePath("splash.dds"), splashTexture());
}

void writeRaceSounds(GeneratorContext& context) {
    const Synth& synth = context.synth;
    context.out.writeSound(wavePath("wara.wav"), laughSound(synth));
    context.out.writeSound(wavePath("down.wav"), knockDownSound(synth));
    context.out.writeSound(wavePath("score.wav"), scoreTickSound(synth));
    context.out.writeSound(wavePath("bang.wav"), stampSound(synth));
    context.out.writeSound(wavePath("splash0.wav"), wadeSplashSound(synth));
    context.out.writeSound(wavePath("splash1.wav"), deepSplashSound(synth));
}

} // namespace qv::content
