#include "ContentGenerators.h"

#include "BackgroundMusic.h"
#include "ContentPaths.h"
#include "Jingles.h"
#include "LogoTexture.h"

namespace qv::content {

std::vector<ContentGenerator> contentGenerators() {
    return {
        {"logo",
         [](GeneratorContext& c) {
             c.out.writeTexture(texturePath("zem.dds"), drawLogo(c.text));
             c.out.writeSound(wavePath("logo.wav"), logoJingle(c.synth));
         }},
        {"scene sounds",
         [](GeneratorContext& c) {
             c.out.writeSound(wavePath("Ready.wav"), readySting(c.synth));
             c.out.writeSound(wavePath("warning.wav"), warningAlarm(c.synth));
         }},
        {"music",
         [](GeneratorContext& c) { c.out.writeSound(wavePath("bgm.wav"), backgroundMusic(c.synth)); }},
    };
}

} // namespace qv::content
