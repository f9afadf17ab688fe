#include "support/GeneratedContent.h"

#include "OutputFolder.h"
#include "assets/MeshLoader.h"
#include "formats/WavWriter.h"
#include "pictures/TextRenderer.h"
#include "sound/Synth.h"

#include <gtest/gtest.h>
#include <sstream>

namespace qv::test {

GeneratedContent::GeneratedContent(std::initializer_list<Generator> generators) {
    std::ostringstream log;
    content::OutputFolder out(dir_.path().string(), log);
    const content::TextRenderer text;
    const content::Synth synth(static_cast<float>(content::wav::kSampleRate));
    content::GeneratorContext context{out, text, synth};
    for (const Generator& generate : generators)
        generate(context);
}

MeshData GeneratedContent::mesh(const std::string& name) const {
    std::optional<MeshData> mesh = loadMeshFile(file("x/" + name));
    EXPECT_TRUE(mesh.has_value()) << name;
    return mesh.value_or(MeshData{});
}

} // namespace qv::test
