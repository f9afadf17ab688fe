#include "assets/ContentCache.h"
#include "DdsBytes.h"
#include "XFiles.h"
#include "assets/DdsReader.h"
#include "assets/MeshLoader.h"
#include "assets/MeshModel.h"
#include "assets/TextureLoader.h"
#include "core/FatalError.h"
#include "platform/RecordingRenderDevice.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace qv {
namespace {

using namespace qv::test;

// The vertices and indices of every subset, and the materials, in file order.
void expectSameMesh(const MeshData& a, const MeshData& b) {
    EXPECT_EQ(a.materials, b.materials);
    ASSERT_EQ(a.subsets.size(), b.subsets.size());
    for (size_t i = 0; i < a.subsets.size(); ++i) {
        EXPECT_EQ(a.subsets[i].materialIndex, b.subsets[i].materialIndex) << i;
        EXPECT_EQ(a.subsets[i].indices, b.subsets[i].indices) << i;
        ASSERT_EQ(a.subsets[i].vertices.size(), b.subsets[i].vertices.size()) << i;
        EXPECT_EQ(std::memcmp(a.subsets[i].vertices.data(), b.subsets[i].vertices.data(),
                              a.subsets[i].vertices.size() * sizeof(MeshVertex)),
                  0)
            << i;
    }
}

class ContentCacheTest : public ::testing::Test {
  protected:
    // A width x 1 picture of one colour under the temp folder.
    std::string writePicture(const std::string& name, uint32_t width, uint32_t colour) const {
        const std::vector<uint32_t> words(width, colour);
        return dir.write(name,
                         asString(makeDds(dds::kA8R8G8B8, width, 1, packPixels(dds::kA8R8G8B8, words))));
    }
    std::string fatalDetail(const std::string& path) {
        try {
            requireTexture(device, cache, path);
        } catch (const FatalError& e) {
            EXPECT_STREQ(e.what(), kCreateTextureMessage);
            return e.detail();
        }
        ADD_FAILURE() << "no error for " << path;
        return {};
    }

    TempDir dir;
    ContentCache cache;
    RecordingRenderDevice device;
};

TEST_F(ContentCacheTest, APictureIsDecodedOnceAndServedFromMemoryAfterwards) {
    const std::string path = writePicture("Data/tex/pic.dds", 3, 0xFF336699);
    const auto first = cache.image(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pixels, loadDdsFile(path)->pixels) << "the cache decodes as the reader does";
    std::filesystem::remove(path);
    EXPECT_EQ(cache.image(path), first);
    EXPECT_EQ(cache.filesRead(), 1u);
    EXPECT_EQ(cache.entries(), 1u);
}

TEST_F(ContentCacheTest, AMeshIsParsedOnceAndServedFromMemoryAfterwards) {
    const std::string path = dir.write("Data/x/parts.x", twoPartsOutOfOrder());
    const auto first = cache.mesh(path);
    ASSERT_TRUE(first);
    expectSameMesh(*first, *loadMeshFile(path));
    std::filesystem::remove(path);
    EXPECT_EQ(cache.mesh(path), first);
    EXPECT_EQ(cache.filesRead(), 1u);
}

// Keeping nothing, every request reads the file again: what a scene paid before there was a cache.
TEST_F(ContentCacheTest, KeepingNothingReadsTheFileAtEveryRequest) {
    ContentCache uncached(ContentCache::Keep::Nothing);
    const std::string picture = writePicture("Data/tex/pic.dds", 2, 0xFF336699);
    const std::string mesh = dir.write("Data/x/parts.x", twoPartsOutOfOrder());
    const auto first = uncached.image(picture);
    const auto again = uncached.image(picture);
    ASSERT_TRUE(first && again);
    EXPECT_NE(first, again);
    EXPECT_EQ(first->pixels, again->pixels);
    EXPECT_TRUE(uncached.mesh(mesh));
    EXPECT_TRUE(uncached.mesh(mesh));
    EXPECT_EQ(uncached.filesRead(), 4u);
    EXPECT_EQ(uncached.entries(), 0u);
    std::filesystem::remove(picture);
    EXPECT_FALSE(uncached.image(picture));
}

// Keyed by the file, not the name: the game's lower-case names and the files' own spelling
// find one entry, and two files never share one.
TEST_F(ContentCacheTest, EachFileHasOneEntryWhateverTheNameAndNoFileAnother) {
    ScopedWorkingDir cwd(dir.path());
    writePicture("Data/tex/Ripple.dds", 2, 0xFF0000FF);
    writePicture("Data/tex/splash.dds", 4, 0xFFFF0000);
    const auto ripple = cache.image("./data/tex/ripple.dds");
    ASSERT_TRUE(ripple);
    EXPECT_EQ(cache.image("./Data/tex/Ripple.dds"), ripple);
    const auto splash = cache.image("./Data/tex/splash.dds");
    ASSERT_TRUE(splash);
    EXPECT_NE(splash, ripple);
    EXPECT_EQ(ripple->pixels, (std::vector<uint32_t>(2, 0xFF0000FF)));
    EXPECT_EQ(splash->pixels, (std::vector<uint32_t>(4, 0xFFFF0000)));
    dir.write("Data/x/a.x", cubeWithInlineMaterials());
    dir.write("Data/x/b.x", triangleInFrames());
    ASSERT_TRUE(cache.mesh("./Data/x/a.x"));
    ASSERT_TRUE(cache.mesh("./Data/x/b.x"));
    EXPECT_NE(cache.mesh("./Data/x/a.x")->subsets.size(), cache.mesh("./Data/x/b.x")->subsets.size());
    EXPECT_EQ(cache.entries(), 4u);
    EXPECT_EQ(cache.filesRead(), 4u);
    EXPECT_EQ(cache.image(dir.file("Data/tex/Ripple.dds")), ripple) << "an absolute name, the same file";
}

// The same relative name in another working folder is another file.
TEST_F(ContentCacheTest, ARelativeNameMeansTheFileOfTheWorkingFolderOfTheMoment) {
    TempDir other;
    writePicture("Data/tex/shadow.dds", 2, 0xFF000000);
    const std::vector<uint32_t> white(3, 0xFFFFFFFF);
    other.write("Data/tex/shadow.dds",
                asString(makeDds(dds::kA8R8G8B8, 3, 1, packPixels(dds::kA8R8G8B8, white))));
    std::shared_ptr<const Image> here;
    {
        ScopedWorkingDir cwd(dir.path());
        here = cache.image("./Data/tex/shadow.dds");
    }
    ScopedWorkingDir cwd(other.path());
    const auto there = cache.image("./Data/tex/shadow.dds");
    ASSERT_TRUE(here && there);
    EXPECT_EQ(here->width, 2u);
    EXPECT_EQ(there->pixels, white);
}

// A failure is not kept as an answer: the file is tried again each time, so a file that is still
// missing or damaged fails again, and one put right is read.
TEST_F(ContentCacheTest, AFileThatFailedIsReadAgainAndFailsTheSameWay) {
    const std::string picture = dir.file("Data/tex/missing.dds");
    const std::string mesh = dir.write("Data/x/noise.x", "xof 0303txt 0032\n}}{{ ;;; Mesh Mesh 12 {");
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(cache.image(picture)) << i;
        EXPECT_FALSE(cache.mesh(mesh)) << i;
    }
    EXPECT_EQ(cache.filesRead(), 4u);
    EXPECT_EQ(cache.entries(), 0u);

    writePicture("Data/tex/missing.dds", 1, 0xFFFFFFFF);
    dir.write("Data/x/noise.x", cubeWithInlineMaterials());
    EXPECT_TRUE(cache.image(picture));
    EXPECT_TRUE(cache.mesh(mesh));
}

TEST_F(ContentCacheTest, AMissingOrDamagedTextureGivesItsFatalMessageNamingTheFileEveryTime) {
    const std::string missing = dir.file("Data/tex/start.dds");
    const std::string damaged = dir.write("Data/tex/num.dds", "DDS not really");
    for (const std::string& path : {missing, damaged}) {
        const std::string detail = fatalDetail(path);
        EXPECT_NE(detail.find(path), std::string::npos) << detail;
        EXPECT_EQ(fatalDetail(path), detail) << "the second time says the same";
        try {
            requireTexture(device, path);
        } catch (const FatalError& e) {
            EXPECT_EQ(e.detail(), detail) << "as the texture loaded without the cache says";
        }
    }
    EXPECT_EQ(device.texturesAlive(), 0);
}

TEST_F(ContentCacheTest, AMissingMeshEndsTheGameEveryTime) {
    const std::string path = dir.file("Data/x/arrow.x");
    for (int i = 0; i < 2; ++i) {
        try {
            MeshModel model(device, cache, path);
            ADD_FAILURE() << "no error, try " << i;
        } catch (const FatalError& e) {
            EXPECT_EQ(std::string(e.what()), "ERROR : Load Mesh " + path) << i;
        }
    }
}

// Each texture is the device's own: a scene's textures go with it, the pictures stay.
TEST_F(ContentCacheTest, EveryTextureIsMadeOnTheDeviceFromTheKeptPicture) {
    const std::string path = writePicture("Data/tex/pic.dds", 5, 0xFF102030);
    auto first = requireTexture(device, cache, path);
    auto second = requireTexture(device, cache, path);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(second->width(), 5u);
    EXPECT_EQ(device.texturesAlive(), 2);
    first.reset();
    second.reset();
    EXPECT_EQ(device.texturesAlive(), 0);
    EXPECT_EQ(cache.filesRead(), 1u);
}

// Owners tint their models' materials (the goal's colour, the walker's fade): a tint stays with
// its model and never reaches the next model made from the same file.
TEST_F(ContentCacheTest, ModelsFromOneMeshKeepTheirOwnMaterials) {
    const std::string path = dir.write("Data/x/parts.x", twoPartsOutOfOrder());
    MeshModel tinted(device, cache, path);
    const std::vector<Material> untouched = tinted.materials();
    tinted.materials()[0].diffuse = {1.0f, 0.0f, 0.0f, 0.25f};
    const MeshModel next(device, cache, path);
    EXPECT_EQ(next.materials(), untouched);
    ASSERT_EQ(next.subsets().size(), tinted.subsets().size());
    for (size_t i = 0; i < next.subsets().size(); ++i)
        EXPECT_EQ(next.subsets()[i].materialIndex, tinted.subsets()[i].materialIndex) << i;
    expectSameMesh(*cache.mesh(path), *loadMeshFile(path));
    EXPECT_EQ(cache.filesRead(), 1u);
}

} // namespace
} // namespace qv
