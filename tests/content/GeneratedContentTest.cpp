#include "BackgroundMusic.h"
#include "ContentTool.h"
#include "Jingles.h"
#include "LogoTexture.h"
#include "OutputFolder.h"
#include "assets/DdsReader.h"
#include "core/FilePaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

namespace qv::content {
namespace {

namespace fs = std::filesystem;

constexpr int kSampleRate = 22050;
const std::vector<std::string> kGameFiles{"score.dat", "replay.dat", "rgoal.dat", "demo.dat"};

std::string contents(const fs::path& path) {
    std::string data;
    EXPECT_TRUE(readFile(path.string(), data)) << path;
    return data;
}

// The samples of one of our WAV files, after checking it is 16-bit mono at 22050 Hz.
std::vector<int16_t> readSamples(const fs::path& path) {
    const std::string data = contents(path);
    if (data.size() < 44) {
        ADD_FAILURE() << path << " is too short";
        return {};
    }
    auto u32 = [&data](size_t at) {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            v = (v << 8) | static_cast<uint8_t>(data[at + static_cast<size_t>(i)]);
        }
        return v;
    };
    EXPECT_EQ(u32(24), static_cast<uint32_t>(kSampleRate)) << path;
    EXPECT_EQ(u32(32), 0x00100002u) << path; // block align 2, 16 bits
    EXPECT_EQ(u32(40), data.size() - 44) << path;
    std::vector<int16_t> samples((data.size() - 44) / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(data[44 + 2 * i]) |
                                          (static_cast<uint8_t>(data[45 + 2 * i]) << 8));
    }
    return samples;
}

// Every file below a folder, by relative path.
std::vector<std::string> listFiles(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files.push_back(fs::relative(entry.path(), root).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class GeneratedContent : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<test::TempDir>();
        for (const std::string& name : kGameFiles) {
            dir_->write("Data/" + name, "player's own " + name);
        }
        generateContent(data().string(), contentGenerators(), log_);
    }
    static void TearDownTestSuite() { dir_.reset(); }

    static fs::path data() { return dir_->path() / "Data"; }

    static std::unique_ptr<test::TempDir> dir_;
    static std::ostringstream log_;
};

std::unique_ptr<test::TempDir> GeneratedContent::dir_;
std::ostringstream GeneratedContent::log_;

TEST_F(GeneratedContent, WritesAndReportsEveryFile) {
    for (const char* file : {"tex/zem.dds", "wave/logo.wav", "wave/Ready.wav", "wave/bgm.wav",
                             "wave/warning.wav", "contact-sheet.png"}) {
        EXPECT_TRUE(fs::is_regular_file(data() / file)) << file;
        EXPECT_NE(log_.str().find(std::string("wrote ") + file + "\n"), std::string::npos) << file;
    }
}

TEST_F(GeneratedContent, FilesTheGameWroteAreUntouched) {
    for (const std::string& name : kGameFiles) {
        EXPECT_EQ(contents(data() / name), "player's own " + name);
    }
}

TEST_F(GeneratedContent, LogoIsASquareWithOneBitAlphaThatReadsOnBlack) {
    const std::optional<Image> logo = loadDdsFile((data() / "tex/zem.dds").string());
    ASSERT_TRUE(logo.has_value());
    ASSERT_EQ(logo->width, 256u);
    ASSERT_EQ(logo->height, 256u);
    size_t opaque = 0;
    double brightness = 0.0;
    for (uint32_t p : logo->pixels) {
        const uint32_t alpha = p >> 24;
        ASSERT_TRUE(alpha == 0 || alpha == 255) << std::hex << p;
        if (alpha == 0) {
            ASSERT_EQ(p, 0u) << "a clear pixel with a colour would fringe when filtered";
            continue;
        }
        ++opaque;
        brightness += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
    }
    EXPECT_GT(opaque, logo->pixels.size() / 2);
    EXPECT_LT(opaque, logo->pixels.size() * 9 / 10);
    EXPECT_EQ(logo->at(0, 0), 0u);
    EXPECT_GT(brightness / static_cast<double>(opaque) / (3 * 255), 0.35);
    // The name fills the bottom band in warm, bright letters.
    size_t letterPixels = 0;
    for (uint32_t y = 215; y < 245; ++y) {
        for (uint32_t x = 0; x < 256; ++x) {
            const uint32_t p = logo->at(x, y);
            letterPixels += ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 100 && (p & 0xFF) < 120 ? 1 : 0;
        }
    }
    EXPECT_GT(letterPixels, 1500u);
}

TEST_F(GeneratedContent, NoSoundComesNearClipping) {
    for (const char* name : {"logo.wav", "Ready.wav", "bgm.wav", "warning.wav"}) {
        const std::vector<int16_t> s = readSamples(data() / "wave" / name);
        ASSERT_FALSE(s.empty()) << name;
        const int peak = std::abs(*std::max_element(
            s.begin(), s.end(), [](int16_t a, int16_t b) { return std::abs(int{a}) < std::abs(int{b}); }));
        EXPECT_LE(peak, static_cast<int>(0.9 * 32767)) << name;
        EXPECT_GT(peak, static_cast<int>(0.3 * 32767)) << name << " is barely audible";
    }
}

TEST_F(GeneratedContent, LoopsJoinWithoutAClick) {
    // The jump from the last sample back to the first, against the steps either side of it.
    constexpr size_t kWindow = 1024;
    for (const char* name : {"bgm.wav", "warning.wav"}) {
        const std::vector<int16_t> s = readSamples(data() / "wave" / name);
        ASSERT_GT(s.size(), 2 * kWindow) << name;
        std::vector<int> steps;
        for (size_t i = s.size() - kWindow; i + 1 < s.size(); ++i) {
            steps.push_back(std::abs(s[i + 1] - s[i]));
        }
        for (size_t i = 0; i + 1 < kWindow; ++i) {
            steps.push_back(std::abs(s[i + 1] - s[i]));
        }
        const auto p90 = steps.begin() + static_cast<long>(steps.size() * 9 / 10);
        std::nth_element(steps.begin(), p90, steps.end());
        EXPECT_LE(std::abs(s.front() - s.back()), *p90) << name;
    }
}

TEST_F(GeneratedContent, MusicIsAtLeastTwentySecondsOfWholeBars) {
    ASSERT_EQ(static_cast<int>(kSampleRate * 60) % static_cast<int>(kMusicTempo), 0)
        << "beats must be whole samples";
    const size_t samplesPerBar = kSampleRate * 60 / static_cast<size_t>(kMusicTempo) * kMusicBeatsPerBar;
    const size_t length = readSamples(data() / "wave/bgm.wav").size();
    EXPECT_GE(length, 20u * kSampleRate);
    EXPECT_EQ(length % samplesPerBar, 0u);
    EXPECT_EQ(length / samplesPerBar, static_cast<size_t>(kMusicBars));
    const size_t alarmBar = kSampleRate * 60 / static_cast<size_t>(kWarningTempo) * kWarningBeatsPerBar;
    EXPECT_EQ(readSamples(data() / "wave/warning.wav").size(), alarmBar);
}

TEST_F(GeneratedContent, CuesAreShortAndStartAndEndInSilence) {
    for (const char* name : {"logo.wav", "Ready.wav"}) {
        const std::vector<int16_t> s = readSamples(data() / "wave" / name);
        ASSERT_FALSE(s.empty()) << name;
        EXPECT_GE(s.size(), kSampleRate * 1u) << name;
        EXPECT_LE(s.size(), kSampleRate * 5u / 2u) << name;
        EXPECT_LT(std::abs(s.front()), 100) << name;
        EXPECT_LT(std::abs(s.back()), 100) << name;
    }
}

TEST_F(GeneratedContent, ContactSheetIsAPng) {
    const std::string png = contents(data() / "contact-sheet.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(GeneratedContent, SecondRunGivesIdenticalBytes) {
    test::TempDir again;
    std::ostringstream log;
    generateContent((again.path() / "Data").string(), contentGenerators(), log);
    std::vector<std::string> mine = listFiles(data());
    std::erase_if(mine, [](const std::string& f) {
        return std::find(kGameFiles.begin(), kGameFiles.end(), f) != kGameFiles.end();
    });
    ASSERT_EQ(listFiles(again.path() / "Data"), mine);
    for (const std::string& file : mine) {
        EXPECT_TRUE(contents(data() / file) == contents(again.path() / "Data" / file)) << file << " differs";
    }
}

} // namespace
} // namespace qv::content
