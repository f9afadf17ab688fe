#include "ContentGenerators.h"

#include "ArrowContent.h"
#include "BackgroundMusic.h"
#include "ContentPaths.h"
#include "Jingles.h"
#include "LetteringSheets.h"
#include "LogoTexture.h"
#include "OverlayLettering.h"
#include "RaceContent.h"
#include "RiderContent.h"
#include "TerrainContent.h"
#include "assets/DataFiles.h"

namespace qv::content {

std::vector<ContentGenerator> contentGenerators() {
    return {
        {"logo",
         [](GeneratorContext& c) {
             c.out.writeTexture(dataFile(data::kLogoTexture), drawLogo(c.text));
             c.out.writeSound(dataFile(data::kLogoSound), logoJingle(c.synth));
         }},
        {"scene sounds",
         [](GeneratorContext& c) {
             c.out.writeSound(dataFile(data::kReadySound), readySting(c.synth));
             c.out.writeSound(dataFile(data::kWarningSound), warningAlarm(c.synth));
         }},
        {"music",
         [](GeneratorContext& c) { c.out.writeSound(dataFile(data::kMusic), backgroundMusic(c.synth)); }},
        {"terrains", [](GeneratorContext& c) { writeTerrains(c.out); }},
        {"rider meshes", writeRiderMeshes},
        {"rider textures", writeRiderTextures},
        {"rider sounds", writeRiderSounds},
        {"target arrow", writeArrowContent},
        {"lettering sheets", writeLetteringSheets},
        {"overlay lettering", writeOverlayLettering},
        {"race meshes", writeRaceMeshes},
        {"race textures", writeRaceTextures},
        {"race sounds", writeRaceSounds},
    };
}

} // namespace qv::content
