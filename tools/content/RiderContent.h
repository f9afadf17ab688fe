#pragma once

#include "ContentGenerators.h"

namespace qv::content {

// The rider's files: its meshes (x/tricycle.x, x/tikobody.x, x/tikomayu.x, x/boost.x), its
// textures (tex/ground.dds, tex/shadow.dds, tex/bgauge.dds, tex/boost0..2.dds) and its sounds
// (wave/jump.wav, wave/boyon.wav, wave/boost.wav).
void writeRiderMeshes(GeneratorContext& context);
void writeRiderTextures(GeneratorContext& context);
void writeRiderSounds(GeneratorContext& context);

} // namespace qv::content
