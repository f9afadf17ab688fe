#pragma once

#include "ContentGenerators.h"

namespace qv::content {

// The race's files: the target character (x/strollen.x); the HUD's digit sheets and timer panel
// (tex/num.dds, tex/timenum.dds, tex/timeback.dds), the start pictures (tex/start.dds,
// tex/startd.dds) and the water effects (tex/Ripple.dds, tex/splash.dds); and the sounds of the
// target, the score and the water (wave/wara.wav, wave/down.wav, wave/score.wav, wave/bang.wav,
// wave/splash0.wav, wave/splash1.wav).
void writeRaceMeshes(GeneratorContext& context);
void writeRaceTextures(GeneratorContext& context);
void writeRaceSounds(GeneratorContext& context);

} // namespace qv::content
