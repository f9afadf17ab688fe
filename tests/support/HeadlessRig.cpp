#include "support/HeadlessRig.h"

#include "DdsWriter.h"

#include <filesystem>

namespace qv::test {

namespace {

const char* const kSceneFiles[] = {"Data/wave/logo.wav", "Data/wave/Ready.wav", "Data/wave/bgm.wav",
                                   "Data/wave/warning.wav"};

} // namespace

void writeTestLogo(const std::string& path) {
    Image image;
    image.width = image.height = 8;
    image.pixels.assign(64, 0xFFFF8800);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    content::writeDds(path, image);
}

HeadlessRig::HeadlessRig(const std::string& keyScript) : keys(ScriptedKeySource::fromText(keyScript)) {
    writeTestLogo(dir.file("Data/tex/zem.dds"));
    for (const char* name : kSceneFiles)
        dir.write(name, "");
}

void HeadlessRig::removeFile(const std::string& name) const {
    std::filesystem::remove(dir.path() / name);
}

} // namespace qv::test
