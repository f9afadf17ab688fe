#include "platform/NullSoundSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qv {
namespace {

class NullSoundTest : public testing::Test {
  protected:
    NullSoundTest() : cwd_(dir_.path()) {
        dir_.write("Data/wave/bgm.wav", "RIFF");
        dir_.write("Data/wave/score.wav", "RIFF");
    }

    test::TempDir dir_;
    test::ScopedWorkingDir cwd_;
    NullSoundSystem sound_;
};

TEST_F(NullSoundTest, LogsPlaysAndStopsInOrderUnderTheGamesPath) {
    auto music = sound_.createClip("./Data/wave/bgm.wav", true);
    auto score = sound_.createClip("./data/wave/score.wav", false);
    music->play();
    score->play();
    score->play();
    music->stop();

    ASSERT_EQ(sound_.events().size(), 4u);
    EXPECT_EQ(sound_.events()[0].path, "./Data/wave/bgm.wav");
    EXPECT_TRUE(sound_.events()[0].play);
    EXPECT_EQ(sound_.events()[1].path, "./data/wave/score.wav");
    EXPECT_EQ(sound_.events()[3].path, "./Data/wave/bgm.wav");
    EXPECT_FALSE(sound_.events()[3].play);

    EXPECT_EQ(sound_.playCount("./data/wave/score.wav"), 2u);
    EXPECT_EQ(sound_.playCount("./Data/wave/bgm.wav"), 1u);
    EXPECT_EQ(sound_.stopCount("./Data/wave/bgm.wav"), 1u);
    EXPECT_EQ(sound_.stopCount("./data/wave/score.wav"), 0u);

    sound_.clearEvents();
    EXPECT_TRUE(sound_.events().empty());
}

TEST(SoundLevelsTest, VolumesAreClampedAndTheMuteSilencesWithoutForgettingThem) {
    SoundLevels levels;
    EXPECT_FLOAT_EQ(levels.gain(SoundGroup::Music), 1.0f);
    levels.setVolume(SoundGroup::Music, 40);
    levels.setVolume(SoundGroup::Effects, INT32_MIN);
    EXPECT_FLOAT_EQ(levels.gain(SoundGroup::Music), 0.4f);
    EXPECT_EQ(levels.volume(SoundGroup::Effects), 0);
    levels.setMuted(true);
    EXPECT_FLOAT_EQ(levels.gain(SoundGroup::Music), 0.0f);
    levels.setMuted(false);
    EXPECT_FLOAT_EQ(levels.gain(SoundGroup::Music), 0.4f);
}

TEST_F(NullSoundTest, ClipIsLoadedExactlyWhenItsFileExists) {
    EXPECT_TRUE(sound_.createClip("./data/wave/bgm.wav", true)->loaded());
    EXPECT_FALSE(sound_.createClip("./Data/wave/missing.wav", false)->loaded());
    EXPECT_FALSE(sound_.createClip("./Data/wave", false)->loaded()); // a folder is no sound
}

TEST_F(NullSoundTest, MissingFileClipLogsNothing) {
    auto missing = sound_.createClip("./Data/wave/missing.wav", true);
    missing->play();
    missing->stop();
    EXPECT_TRUE(sound_.events().empty());
    EXPECT_EQ(sound_.playCount("./Data/wave/missing.wav"), 0u);
}

} // namespace
} // namespace qv
