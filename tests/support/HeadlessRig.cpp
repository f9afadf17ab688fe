#include "support/HeadlessRig.h"

#include "formats/DdsWriter.h"

#include <bit>
#include <filesystem>

namespace qv::test {

namespace {

// Two triangles with a material each: enough to see every subset drawn with its own material.
constexpr const char* kTwoMaterialMesh = R"(xof 0303txt 0032
Mesh part {
 4;
 0.0;0.0;0.0;,
 1.0;0.0;0.0;,
 0.0;1.0;0.0;,
 0.0;0.0;1.0;;
 2;
 3;0,1,2;,
 3;0,2,3;;
 MeshMaterialList {
  2;
  2;
  0,
  1;;
  Material {
   1.0;0.0;0.0;1.0;;
   10.0;
   0.0;0.0;0.0;;
   0.0;0.0;0.0;;
  }
  Material {
   0.0;0.0;1.0;0.5;;
   10.0;
   0.0;0.0;0.0;;
   0.0;0.0;0.0;;
  }
 }
}
)";

const char* const kMeshes[] = {"Data/x/tikobody.x", "Data/x/tikomayu.x", "Data/x/tricycle.x",
                               "Data/x/boost.x",    "Data/x/arrow.x",    "Data/x/strollen.x"};
const char* const kPictures[] = {
    "Data/tex/zem.dds",    "Data/tex/bgauge.dds",   "Data/tex/boost0.dds",   "Data/tex/boost1.dds",
    "Data/tex/boost2.dds", "Data/tex/shadow.dds",   "Data/tex/ground.dds",   "Data/tex/start.dds",
    "Data/tex/startd.dds", "Data/tex/Ripple.dds",   "Data/tex/splash.dds",   "Data/tex/str.dds",
    "Data/tex/strd.dds",   "Data/tex/stagenum.dds", "Data/tex/rest.dds",     "Data/tex/target.dds",
    "Data/tex/map0.dds",   "Data/tex/map1.dds",     "Data/tex/map2.dds",     "Data/tex/map3.dds",
    "Data/tex/num.dds",    "Data/tex/timenum.dds",  "Data/tex/timeback.dds", "Data/tex/text.dds"};
const char* const kSounds[] = {"Data/wave/logo.wav",    "Data/wave/Ready.wav",   "Data/wave/bgm.wav",
                               "Data/wave/warning.wav", "Data/wave/jump.wav",    "Data/wave/boyon.wav",
                               "Data/wave/boost.wav",   "Data/wave/splash0.wav", "Data/wave/splash1.wav",
                               "Data/wave/score.wav",   "Data/wave/bang.wav",    "Data/wave/wara.wav",
                               "Data/wave/down.wav"};

std::string fieldBytes(const Heights& heights) {
    std::string bytes;
    for (int i = 0; i <= 100; ++i)
        for (int j = 0; j <= 100; ++j) {
            const uint32_t word = std::bit_cast<uint32_t>(heights(i, j));
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<char>((word >> shift) & 0xFF));
        }
    return bytes;
}

} // namespace

Heights flatAt(float height) {
    return [height](int, int) { return height; };
}

void writeTestPicture(const std::string& path, uint32_t colour) {
    Image image;
    image.width = image.height = 8;
    image.pixels.assign(64, colour);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    content::writeDds(path, image);
}

HeadlessRig::HeadlessRig(const std::string& keyScript) : keys(ScriptedKeySource::fromText(keyScript)) {
    for (size_t i = 0; i < std::size(kPictures); ++i)
        writeTestPicture(dir.file(kPictures[i]), 0xFF000000u | static_cast<uint32_t>(i + 1) * 0x202020u);
    for (const char* mesh : kMeshes)
        dir.write(mesh, kTwoMaterialMesh);
    for (const char* sound : kSounds)
        dir.write(sound, "");
    writeField(flatAt(1.0f));
}

void HeadlessRig::writeField(const Heights& heights) const {
    const std::string bytes = fieldBytes(heights);
    for (char stage = '0'; stage <= '3'; ++stage)
        dir.write(std::string("Data/Field") + stage + ".dat", bytes);
}

void HeadlessRig::removeFile(const std::string& name) const {
    std::filesystem::remove(dir.path() / name);
}

void HeadlessRig::removePicturesAndMeshes() const {
    for (const char* name : kPictures)
        removeFile(name);
    for (const char* name : kMeshes)
        removeFile(name);
}

} // namespace qv::test
