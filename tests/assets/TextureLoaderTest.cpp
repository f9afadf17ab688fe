#include "assets/TextureLoader.h"
#include "DdsBytes.h"
#include "core/FatalError.h"
#include "platform/RecordingRenderDevice.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using namespace qv::test;

// The recording device keeps only a texture's size; this one also keeps the pixels it was given.
class PixelKeepingDevice : public RecordingRenderDevice {
  public:
    std::unique_ptr<Texture> createTexture(const Image& image) override {
        lastImage = image;
        return RecordingRenderDevice::createTexture(image);
    }
    Image lastImage;
};

TEST(QuantizeToA1R5G5B5, AlphaSplitsAtHalfAndColoursKeepFiveBits) {
    Image image{4, 1, {0x7F123456, 0x80123456, 0xFFFFFFFF, 0x00070707}};
    quantizeToA1R5G5B5(image);
    // 0x12 -> 5-bit 2 -> 0x10; 0x34 -> 6 -> 0x31; 0x56 -> 10 -> 0x52; 0x07 -> 0 -> 0.
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0x00103152, 0xFF103152, 0xFFFFFFFF, 0x00000000}));
}

TEST(QuantizeToA1R5G5B5, IsIdempotentOverEveryChannelValue) {
    Image image{256, 1, {}};
    for (uint32_t v = 0; v < 256; ++v)
        image.pixels.push_back(v << 24 | v << 16 | v << 8 | v);
    quantizeToA1R5G5B5(image);
    Image again = image;
    quantizeToA1R5G5B5(again);
    EXPECT_EQ(again.pixels, image.pixels);
    for (uint32_t v = 0; v < 256; ++v) {
        const uint32_t red = (image.pixels[v] >> 16) & 0xFF;
        EXPECT_EQ(red >> 3, v >> 3) << v;       // the top five bits are kept
        EXPECT_EQ(red & 7, (v >> 3) >> 2) << v; // and repeated into the low three
    }
}

class TextureLoaderFiles : public ::testing::Test {
  protected:
    TempDir dir;
    PixelKeepingDevice device;

    std::string writePicture(const std::string& name) {
        const std::vector<uint32_t> words{0xC0FF8040, 0x40123456, 0x80000000, 0x00FFFFFF};
        return dir.write(name, asString(makeDds(dds::kA8R8G8B8, 2, 2, packPixels(dds::kA8R8G8B8, words))));
    }
};

TEST_F(TextureLoaderFiles, A8R8G8B8KeepsThePixelsAsDecoded) {
    auto texture = loadTexture(device, writePicture("pic.dds"), TextureFormat::A8R8G8B8);
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->width(), 2u);
    EXPECT_EQ(texture->height(), 2u);
    EXPECT_EQ(device.lastImage.pixels,
              (std::vector<uint32_t>{0xC0FF8040, 0x40123456, 0x80000000, 0x00FFFFFF}));
    EXPECT_EQ(device.texturesAlive(), 1);
    texture.reset();
    EXPECT_EQ(device.texturesAlive(), 0);
}

TEST_F(TextureLoaderFiles, A1R5G5B5HardensAlphaAndCoarsensColour) {
    auto texture = loadTexture(device, writePicture("zem.dds"), TextureFormat::A1R5G5B5);
    ASSERT_TRUE(texture);
    EXPECT_EQ(device.lastImage.pixels,
              (std::vector<uint32_t>{0xFFFF8442, 0x00103152, 0xFF000000, 0x00FFFFFF}));
}

TEST_F(TextureLoaderFiles, MissingOrBrokenFilesGiveNoTexture) {
    EXPECT_FALSE(loadTexture(device, dir.file("missing.dds"), TextureFormat::A8R8G8B8));
    EXPECT_FALSE(loadTexture(device, dir.write("empty.dds", ""), TextureFormat::A8R8G8B8));
    EXPECT_FALSE(loadTexture(device, dir.write("text.dds", "not a picture at all"), TextureFormat::A1R5G5B5));
    EXPECT_EQ(device.texturesAlive(), 0);
}

TEST_F(TextureLoaderFiles, ATextureTheGameNeedsFailsNamingTheFileAndWhy) {
    const std::string path = dir.write("ground.dds", "DDS cut after its signature");
    try {
        requireTexture(device, path);
        FAIL() << "a damaged texture must stop the game";
    } catch (const FatalError& e) {
        EXPECT_STREQ(e.what(), kCreateTextureMessage) << "error.log keeps its line";
        EXPECT_EQ(e.detail(), "texture " + path + ": it holds 27 bytes, less than a DDS header (128)");
    }
}

} // namespace
} // namespace qv
