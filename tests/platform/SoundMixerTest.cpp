#include "core/FatalError.h"
#include "platform/AudioDrivers.h"
#include "platform/MixerSoundClip.h"
#include "platform/MixerSoundSystem.h"
#include "support/TempDir.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace qv {
namespace {

// A 16-bit stereo PCM wave of a 440 Hz tone, as the content tool writes them.
std::string toneWave(int milliseconds) {
    const uint32_t frames = 22050u * static_cast<uint32_t>(milliseconds) / 1000u;
    const uint32_t dataSize = frames * 4;
    std::string out;
    auto u32 = [&out](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&out](uint16_t v) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>(v >> 8));
    };
    out += "RIFF";
    u32(36 + dataSize);
    out += "WAVEfmt ";
    u32(16);
    u16(1);         // PCM
    u16(2);         // stereo
    u32(22050);     // sample rate
    u32(22050 * 4); // bytes per second
    u16(4);         // bytes per frame
    u16(16);        // bits per sample
    out += "data";
    u32(dataSize);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto sample = static_cast<int16_t>(8000.0 * std::sin(i * 2.0 * 3.14159265 * 440.0 / 22050.0));
        u16(static_cast<uint16_t>(sample));
        u16(static_cast<uint16_t>(sample));
    }
    return out;
}

// Waits (bounded, so a fault fails instead of hanging) until the clip has gone quiet.
bool waitUntilSilent(const MixerSoundClip& clip) {
    for (int i = 0; i < 5000 && clip.playingCount() > 0; ++i)
        SDL_Delay(1);
    return clip.playingCount() == 0;
}

class MixerSoundTest : public testing::Test {
  protected:
    MixerSoundClip& clip(const std::string& name, int milliseconds, bool looping,
                         SoundGroup group = SoundGroup::Effects) {
        const std::string path = dir_.write(name, toneWave(milliseconds));
        clips_.push_back(std::make_unique<MixerSoundClip>(path, looping, group));
        return *clips_.back();
    }

    test::TempDir dir_;
    MixerSoundSystem system_;
    std::vector<std::unique_ptr<MixerSoundClip>> clips_; // destroyed before the system
};

TEST_F(MixerSoundTest, OpensTheDeviceAt22050HzStereo16BitWith64Channels) {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
    EXPECT_EQ(frequency, 22050);
    EXPECT_EQ(format, AUDIO_S16SYS);
    EXPECT_EQ(channels, 2);
    EXPECT_EQ(Mix_AllocateChannels(-1), 64);
}

TEST_F(MixerSoundTest, EveryPlayStartsAnotherInstanceAndStopSilencesThemAll) {
    MixerSoundClip& tone = clip("tone.wav", 3000, false);
    ASSERT_TRUE(tone.loaded());
    EXPECT_EQ(tone.playingCount(), 0);
    tone.play();
    EXPECT_EQ(tone.playingCount(), 1);
    tone.play();
    EXPECT_EQ(tone.playingCount(), 2);
    EXPECT_EQ(Mix_Playing(-1), 2);
    tone.stop();
    EXPECT_EQ(tone.playingCount(), 0);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(MixerSoundTest, StopSilencesOnlyItsOwnClip) {
    MixerSoundClip& music = clip("bgm.wav", 3000, true);
    MixerSoundClip& warning = clip("warning.wav", 3000, true);
    music.play();
    warning.play();
    warning.stop();
    EXPECT_EQ(warning.playingCount(), 0);
    EXPECT_EQ(music.playingCount(), 1);
    warning.stop(); // stopping a silent clip is harmless
    EXPECT_EQ(music.playingCount(), 1);
}

TEST_F(MixerSoundTest, LoopingClipKeepsPlayingPastItsEnd) {
    MixerSoundClip& loop = clip("loop.wav", 20, true);
    MixerSoundClip& once = clip("once.wav", 20, false);
    loop.play();
    once.play();
    // The one-shot of the same length ending proves the loop has passed its end.
    ASSERT_TRUE(waitUntilSilent(once));
    EXPECT_EQ(loop.playingCount(), 1);
}

TEST_F(MixerSoundTest, DestroyingAPlayingClipHaltsItsChannels) {
    auto loop = system_.createClip(dir_.write("loop.wav", toneWave(50)), true);
    loop->play();
    loop->play();
    ASSERT_EQ(Mix_Playing(-1), 2);
    loop.reset();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(MixerSoundTest, MissingOrUnreadableFilesGiveSilentHarmlessClips) {
    const std::string garbage = dir_.write("garbage.wav", "RIFF but not a wave at all");
    for (const std::string& path : {dir_.file("missing.wav"), garbage, std::string()}) {
        auto silent = system_.createClip(path, true);
        EXPECT_FALSE(silent->loaded()) << path;
        silent->play();
        silent->stop();
        silent->play();
        EXPECT_EQ(Mix_Playing(-1), 0) << path;
    }
}

// Each channel's volume as the mixer will mix it.
std::vector<int> channelVolumes() {
    std::vector<int> volumes;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel)
        volumes.push_back(Mix_Volume(channel, -1));
    return volumes;
}

std::vector<int> expectedVolumes(int music, int effects) {
    std::vector<int> volumes(MixerSoundSystem::kMixChannels, effects);
    std::fill_n(volumes.begin(), MixerSoundSystem::kMusicChannels, music);
    return volumes;
}

TEST_F(MixerSoundTest, MusicKeepsItsOwnChannelsHoweverManyEffectsPlay) {
    MixerSoundClip& music = clip("bgm.wav", 3000, true, SoundGroup::Music);
    MixerSoundClip& effect = clip("score.wav", 3000, false);
    for (int i = 0; i < MixerSoundSystem::kMixChannels; ++i)
        effect.play();
    EXPECT_EQ(effect.playingCount(), MixerSoundSystem::kMixChannels - MixerSoundSystem::kMusicChannels);
    music.play();
    EXPECT_EQ(music.playingCount(), 1);
    // Once the music's channels are full too, another instance is dropped instead of taking one.
    music.play();
    music.play();
    EXPECT_EQ(music.playingCount(), MixerSoundSystem::kMusicChannels);
    EXPECT_EQ(Mix_Playing(-1), MixerSoundSystem::kMixChannels);
}

TEST_F(MixerSoundTest, VolumesAndTheMuteReachEveryChannelAtOnceAndKeepForTheNextSounds) {
    // The defaults are the mixer's own full volume: nothing sounds different without settings.
    EXPECT_EQ(channelVolumes(), expectedVolumes(MIX_MAX_VOLUME, MIX_MAX_VOLUME));
    MixerSoundClip& music = clip("bgm.wav", 3000, true, SoundGroup::Music);
    music.play();

    system_.setVolume(SoundGroup::Music, 50);
    system_.setVolume(SoundGroup::Effects, 25);
    EXPECT_EQ(channelVolumes(), expectedVolumes(64, 32));
    system_.setVolume(SoundGroup::Effects, 250); // clamped to full
    system_.setVolume(SoundGroup::Music, -7);    // clamped to silence
    EXPECT_EQ(channelVolumes(), expectedVolumes(0, MIX_MAX_VOLUME));

    system_.setVolume(SoundGroup::Music, 75);
    system_.setMuted(true);
    EXPECT_EQ(channelVolumes(), expectedVolumes(0, 0));
    EXPECT_EQ(music.playingCount(), 1); // silenced, not stopped: unmuting brings it back where it is
    system_.toggleMute();
    EXPECT_EQ(channelVolumes(), expectedVolumes(96, MIX_MAX_VOLUME));

    // A channel that has finished and plays the next sound keeps its group's volume.
    music.stop();
    music.play();
    EXPECT_EQ(channelVolumes(), expectedVolumes(96, MIX_MAX_VOLUME));
}

TEST_F(MixerSoundTest, LowercaseDataFolderFindsTheCapitalisedOne) {
    dir_.write("Data/wave/score.wav", toneWave(100));
    test::ScopedWorkingDir cwd(dir_.path());
    auto score = system_.createClip("./data/wave/score.wav", false);
    EXPECT_TRUE(score->loaded());
}

// Sets (or, given null, unsets) an environment variable for one scope, restoring the old value.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(MixerSoundFallbackTest, UnusableDriverFallsBackToSilentDummyWithOneWarning) {
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-audio-driver");
    testing::internal::CaptureStderr();
    std::optional<MixerSoundSystem> system;
    ASSERT_NO_THROW(system.emplace());
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(system->driverName(), "dummy");
    EXPECT_EQ(warnings.find("warning: no sound device (no-such-audio-driver"), 0u) << warnings;
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1) << warnings;

    test::TempDir dir;
    auto clip = system->createClip(dir.write("x.wav", toneWave(1000)), false);
    ASSERT_TRUE(clip->loaded());
    clip->play();
    EXPECT_EQ(Mix_Playing(-1), 1);
}

// With no driver chosen the game picks its own: on a machine with sound that is the real device
// and nothing is said; on one without, one warning and not a line from the libraries it tried.
TEST(MixerSoundFallbackTest, WithoutAChosenDriverThereIsAtMostOneLineAndNoLibraryNoise) {
    ScopedEnv driver("SDL_AUDIODRIVER", nullptr);
    testing::internal::CaptureStderr();
    std::optional<MixerSoundSystem> system;
    ASSERT_NO_THROW(system.emplace());
    const std::string said = testing::internal::GetCapturedStderr();
    if (system->driverName() != "dummy") {
        EXPECT_EQ(said, "");
        return;
    }
    EXPECT_EQ(said.find("warning: no sound device ("), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    if (!hasSoundCard()) {
        EXPECT_EQ(said.find("alsa"), std::string::npos) << said;
    }
}

TEST(AudioDriverChoiceTest, KeepsSdlsOrderLessTheSilentDriversAndWithoutACardLessAlsa) {
    const std::vector<std::string> built{"pulseaudio", "alsa", "sndio", "pipewire", "dsp", "disk", "dummy"};
    EXPECT_EQ(audioDriverCandidates(built, true),
              (std::vector<std::string>{"pulseaudio", "alsa", "sndio", "pipewire", "dsp"}));
    EXPECT_EQ(audioDriverCandidates(built, false),
              (std::vector<std::string>{"pulseaudio", "pipewire", "dsp"}));
    EXPECT_EQ(audioDriverCandidates({"pipewire", "pulseaudio", "alsa"}, false),
              (std::vector<std::string>{"pipewire", "pulseaudio"}));
}

TEST(AudioDriverChoiceTest, ASoundCardIsAnAlsaControlDevice) {
    test::TempDir dir;
    EXPECT_FALSE(hasSoundCard(dir.file("snd"))); // no folder at all
    dir.write("snd/seq", "");
    dir.write("snd/timer", "");
    EXPECT_FALSE(hasSoundCard(dir.file("snd")));
    dir.write("snd/controlC1", "");
    EXPECT_TRUE(hasSoundCard(dir.file("snd")));
}

} // namespace
} // namespace qv
