#include "RiderContent.h"

#include "ContentPaths.h"
#include "RiderSounds.h"
#include "RiderTextures.h"
#include "formats/XMeshWriter.h"
#include "meshes/BoostMesh.h"
#include "meshes/RiderBodyMesh.h"
#include "meshes/TricycleMesh.h"

namespace qv::content {

namespace {

void writeMesh(GeneratorContext& context, const std::string& name, const std::string& frameName,
               const TriangleMesh& mesh) {
    context.out.write(meshPath(name), encodeXMesh(mesh, frameName));
}

} // namespace

void writeRiderMeshes(GeneratorContext& context) {
    writeMesh(context, "tricycle.x", "Tricycle", tricycleMesh());
    writeMesh(context, "tikobody.x", "RiderBody", riderBodyMesh());
    writeMesh(context, "tikomayu.x", "RiderBrows", riderBrowsMesh());
    writeMesh(context, "boost.x", "BoostFlame", boostMesh());
}

void writeRiderTextures(GeneratorContext& context) {
    context.out.writeTexture(texturePath("ground.dds"), groundTexture());
    context.out.writeTexture(texturePath("shadow.dds"), shadowTexture());
    context.out.writeTexture(texturePath("bgauge.dds"), boostGaugeTexture());
    for (int frame = 0; frame < kFlameFrames; ++frame)
        context.out.writeTexture(texturePath("boost" + std::to_string(frame) + ".dds"),
                                 boostFlameTexture(frame));
}

void writeRiderSounds(GeneratorContext& context) {
    context.out.writeSound(wavePath("jump.wav"), jumpSound(context.synth));
    context.out.writeSound(wavePath("boyon.wav"), bumpSound(context.synth));
    context.out.writeSound(wavePath("boost.wav"), boostSound(context.synth));
}

} // namespace qv::content
