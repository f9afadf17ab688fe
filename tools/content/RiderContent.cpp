#include "RiderContent.h"

#include "ContentPaths.h"
#include "RiderSounds.h"
#include "RiderTextures.h"
#include "assets/DataFiles.h"
#include "formats/XMeshWriter.h"
#include "meshes/BoostMesh.h"
#include "meshes/RiderBodyMesh.h"
#include "meshes/TricycleMesh.h"

namespace qv::content {

namespace {

void writeMesh(GeneratorContext& context, std::string_view gameName, const std::string& frameName,
               const TriangleMesh& mesh) {
    context.out.write(dataFile(gameName), encodeXMesh(mesh, frameName));
}

} // namespace

void writeRiderMeshes(GeneratorContext& context) {
    writeMesh(context, data::kTricycleMesh, "Tricycle", tricycleMesh());
    writeMesh(context, data::kRiderBodyMesh, "RiderBody", riderBodyMesh());
    writeMesh(context, data::kRiderBrowsMesh, "RiderBrows", riderBrowsMesh());
    writeMesh(context, data::kBoostMesh, "BoostFlame", boostMesh());
}

void writeRiderTextures(GeneratorContext& context) {
    context.out.writeTexture(dataFile(data::kGroundTexture), groundTexture());
    context.out.writeTexture(dataFile(data::kShadowTexture), shadowTexture());
    context.out.writeTexture(dataFile(data::kBoostGaugeTexture), boostGaugeTexture());
    for (int frame = 0; frame < kFlameFrames; ++frame)
        context.out.writeTexture(dataFile(data::boostTexture(static_cast<uint32_t>(frame))),
                                 boostFlameTexture(frame));
}

void writeRiderSounds(GeneratorContext& context) {
    context.out.writeSound(dataFile(data::kJumpSound), jumpSound(context.synth));
    context.out.writeSound(dataFile(data::kBumpSound), bumpSound(context.synth));
    context.out.writeSound(dataFile(data::kBoostSound), boostSound(context.synth));
}

} // namespace qv::content
