#include "support/RiderWorkspace.h"
#include "support/TempDir.h"

#include "replay/DemoPlayback.h"
#include "replay/GoalRecord.h"
#include "replay/KeyboardRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <limits>
#include <sys/stat.h>

namespace qv::test {
namespace {

constexpr size_t kFileBytes = 786432;

std::string bytesOf(const std::vector<ControlRecord>& records) {
    return std::string(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(ControlRecord));
}

// A recorder over a scripted keyboard, polled before each record as the scene does.
class KeyboardRecorderTest : public ::testing::Test {
  protected:
    explicit KeyboardRecorderTest(const std::string& script = "") : ws(script) {}

    ControlRecord recordTick() {
        ws.rig.keysFor(++tick);
        ws.rig.keyboard.poll();
        return recorder->next();
    }

    std::vector<float> steeringOver(int ticks) {
        std::vector<float> steer;
        for (int t = 0; t < ticks; ++t)
            steer.push_back(recordTick().steer);
        return steer;
    }

    RiderWorkspace ws;
    std::unique_ptr<KeyboardRecorder> recorder = std::make_unique<KeyboardRecorder>(ws.rig.keyboard);
    uint32_t tick = 0;
};

struct KeyCase {
    const char* keys;
    uint8_t ControlRecord::*member;
};

class KeyMappingTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMappingTest, EachKeySetsItsOwnByteToOne) {
    std::string script;
    std::string keys = GetParam().keys;
    for (size_t start = 0; start < keys.size();) {
        const size_t end = std::min(keys.find(' ', start), keys.size());
        script += "1 down " + keys.substr(start, end - start) + "\n";
        start = end + 1;
    }
    RiderWorkspace ws(script);
    ws.rig.keysFor(1);
    ws.rig.keyboard.poll();
    KeyboardRecorder recorder(ws.rig.keyboard);
    const ControlRecord record = recorder.next();
    ControlRecord expected;
    expected.*GetParam().member = 1;
    expected.steer = record.steer;
    EXPECT_EQ(record, expected) << keys;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyMappingTest,
    ::testing::Values(KeyCase{"F", &ControlRecord::pedal}, KeyCase{"C", &ControlRecord::pedal},
                      KeyCase{"F C", &ControlRecord::pedal}, KeyCase{"D", &ControlRecord::brake},
                      KeyCase{"X", &ControlRecord::brake}, KeyCase{"R", &ControlRecord::backPedal},
                      KeyCase{"V", &ControlRecord::backPedal}, KeyCase{"SPACE", &ControlRecord::jump},
                      KeyCase{"LSHIFT", &ControlRecord::jump}, KeyCase{"SPACE LSHIFT", &ControlRecord::jump},
                      KeyCase{"UP", &ControlRecord::boost}, KeyCase{"A", &ControlRecord::boost},
                      KeyCase{"Z", &ControlRecord::boost}, KeyCase{"UP A Z", &ControlRecord::boost},
                      KeyCase{"LEFT", &ControlRecord::left}, KeyCase{"RIGHT", &ControlRecord::right}));

class SteeringTest : public KeyboardRecorderTest {
  protected:
    SteeringTest() : KeyboardRecorderTest("1 down LEFT\n61 up LEFT\n81 down RIGHT\n101 down LEFT\n") {}
};

TEST_F(SteeringTest, HoldingLeftRampsToFullInFiftyTicksAndStaysThere) {
    const std::vector<float> steer = steeringOver(60);
    EXPECT_NEAR(steer[0], 0.02f, 1e-6f);
    EXPECT_NEAR(steer[24], 0.5f, 1e-5f);
    EXPECT_GT(steer[48], 0.97f);
    for (size_t t = 50; t < steer.size(); ++t)
        EXPECT_EQ(steer[t], 1.0f) << "tick " << t + 1;
}

TEST_F(SteeringTest, LettingGoDecaysTwelvePercentATick) {
    steeringOver(60);
    const std::vector<float> steer = steeringOver(20);
    EXPECT_NEAR(steer[0], 0.88f, 1e-6f);
    for (size_t t = 1; t < steer.size(); ++t)
        EXPECT_NEAR(steer[t] / steer[t - 1], 0.88f, 1e-5f);
}

TEST_F(SteeringTest, RightRampsTheOtherWayAndBothArrowsTogetherDecay) {
    steeringOver(80);
    const float start = recorder->steering();
    const std::vector<float> right = steeringOver(20);
    EXPECT_NEAR(right.front(), start - 0.02f, 1e-6f);
    EXPECT_NEAR(right.back(), start - 0.4f, 1e-5f);
    const ControlRecord both = recordTick();
    EXPECT_EQ(both.left, 1);
    EXPECT_EQ(both.right, 1);
    EXPECT_NEAR(both.steer, right.back() * 0.88f, 1e-6f);
}

// The steering as the arrow keys have always made it, to compare with bit for bit.
float arrowSteering(float steer, bool left, bool right) {
    const float direction = static_cast<float>(left) - static_cast<float>(right);
    steer = steer + 0.02f * direction;
    if (direction == 0.0f)
        steer = steer * 0.88f;
    return std::clamp(steer, -1.0f, 1.0f);
}

TEST(KeyboardSteering, TheArrowsSteerBitForBitAsTheyAlwaysDid) {
    // Three thousand ticks of arrows pressed and let go at random, both together at times.
    std::string script;
    std::vector<std::pair<bool, bool>> arrows;
    bool left = false, right = false;
    uint32_t seed = 12345;
    for (uint32_t tick = 1; tick <= 3000; ++tick) {
        seed = seed * 1664525u + 1013904223u;
        if ((seed >> 24) < 20) {
            left = !left;
            script += std::to_string(tick) + (left ? " down" : " up") + " LEFT\n";
        }
        if (((seed >> 16) & 0xFF) < 16) {
            right = !right;
            script += std::to_string(tick) + (right ? " down" : " up") + " RIGHT\n";
        }
        arrows.emplace_back(left, right);
    }
    RiderWorkspace ws(script);
    KeyboardRecorder recorder(ws.rig.keyboard);
    float expected = 0.0f;
    for (uint32_t tick = 1; tick <= arrows.size(); ++tick) {
        ws.rig.keysFor(tick);
        ws.rig.keyboard.poll();
        const ControlRecord record = recorder.next();
        expected = arrowSteering(expected, arrows[tick - 1].first, arrows[tick - 1].second);
        ASSERT_EQ(std::bit_cast<uint32_t>(record.steer), std::bit_cast<uint32_t>(expected))
            << "tick " << tick;
    }
}

// The stick: half way left (past the dead zone), full left, half way again, let go, full right.
class StickSteeringTest : public KeyboardRecorderTest {
  protected:
    StickSteeringTest()
        : KeyboardRecorderTest("1 axis LEFTX -0.625\n61 axis LEFTX -1\n111 axis LEFTX -0.625\n"
                               "161 axis LEFTX 0.1\n181 axis LEFTX 1\n") {}
};

TEST_F(StickSteeringTest, AStickHalfWaySteersHalfWayAfterTheSameRampAsTheArrows) {
    const std::vector<float> steer = steeringOver(60);
    EXPECT_NEAR(steer[0], 0.02f, 1e-6f);
    for (size_t t = 25; t < steer.size(); ++t)
        EXPECT_EQ(steer[t], 0.5f) << "tick " << t + 1;
    const std::vector<float> full = steeringOver(50);
    EXPECT_NEAR(full[0], 0.52f, 1e-6f);
    EXPECT_EQ(full.back(), 1.0f);
}

TEST_F(StickSteeringTest, EasingTheStickBackEasesTheSteeringAsLettingGoDoes) {
    steeringOver(110);
    const std::vector<float> eased = steeringOver(50);
    float expected = 1.0f;
    for (size_t t = 0; t < eased.size(); ++t) {
        expected = 0.5f + (expected - 0.5f) * 0.88f;
        EXPECT_NEAR(eased[t], expected, 1e-6f) << "tick " << t + 111;
        EXPECT_GT(eased[t], 0.5f);
    }
    // Inside the dead zone the stick asks for nothing: the steering dies away.
    const ControlRecord released = recordTick();
    EXPECT_NEAR(released.steer, eased.back() * 0.88f, 1e-6f);
    EXPECT_EQ(released.left, 0);
    EXPECT_EQ(released.right, 0);
}

TEST_F(StickSteeringTest, TheRecordSaysWhichWayTheStickIsPushedForTheAirAndTheWater) {
    const ControlRecord left = recordTick();
    EXPECT_EQ(left.left, 1);
    EXPECT_EQ(left.right, 0);
    steeringOver(178);
    const ControlRecord centred = recordTick();
    const ControlRecord right = recordTick();
    EXPECT_EQ(right.left, 0);
    EXPECT_EQ(right.right, 1);
    EXPECT_NEAR(right.steer, centred.steer - 0.02f, 1e-6f);
}

// --- saving ---

// Where a run's recording goes is the scene's decision at the end of the run (see the scene
// tests); the recorder only keeps the records and writes them where it is told.
TEST_F(KeyboardRecorderTest, TheRecordingSavesTheReturnedRecordsAndTheRestZero) {
    std::vector<ControlRecord> returned;
    for (int t = 0; t < 5; ++t)
        returned.push_back(recordTick());
    ASSERT_TRUE(recorder->recording().save(ControlRecording::kDemoFile));
    const std::string saved = ws.readFile("Data/demo.dat");
    ASSERT_EQ(saved.size(), kFileBytes);
    EXPECT_EQ(saved.substr(0, 5 * sizeof(ControlRecord)), bytesOf(returned));
    EXPECT_EQ(saved.find_first_not_of('\0', 5 * sizeof(ControlRecord)), std::string::npos);
    EXPECT_FALSE(ws.exists("Data/replay.dat"));
}

TEST_F(KeyboardRecorderTest, ASaveReplacesALongerFileWhole) {
    ws.writeFile("Data/replay.dat", std::string(kFileBytes + 100, 'x'));
    recordTick();
    ASSERT_TRUE(recorder->recording().save(ControlRecording::kReplayFile));
    EXPECT_EQ(ws.readFile("Data/replay.dat"), std::string(kFileBytes, '\0'));
}

TEST_F(KeyboardRecorderTest, TheRecorderWritesNothingWhenItGoes) {
    recordTick();
    recorder.reset();
    EXPECT_FALSE(ws.exists("Data/demo.dat"));
    EXPECT_FALSE(ws.exists("Data/replay.dat"));
}

TEST_F(KeyboardRecorderTest, AnUnwritableRecordingFailsWithoutThrowing) {
    std::filesystem::create_directories(ws.rig.dir.path() / "Data/replay.dat");
    recordTick();
    bool saved = true;
    EXPECT_NO_THROW(saved = recorder->recording().save(ControlRecording::kReplayFile));
    EXPECT_FALSE(saved);
    EXPECT_TRUE(std::filesystem::is_directory(ws.rig.dir.path() / "Data/replay.dat"));
    EXPECT_EQ(std::filesystem::directory_iterator(ws.rig.dir.path() / "Data/replay.dat"),
              std::filesystem::directory_iterator());
}

TEST(KeyboardRecording, OnlyTheFirst65536TicksAreKeptButInputGoesOn) {
    RiderWorkspace ws("65540 down F\n");
    auto recorder = std::make_unique<KeyboardRecorder>(ws.rig.keyboard);
    ControlRecord last;
    for (uint32_t t = 1; t <= 65540; ++t) {
        ws.rig.keysFor(t);
        ws.rig.keyboard.poll();
        last = recorder->next();
    }
    EXPECT_EQ(recorder->recordIndex(), 65536u);
    EXPECT_EQ(last.pedal, 1);
    ASSERT_TRUE(recorder->recording().save(ControlRecording::kDemoFile));
    const std::string saved = ws.readFile("Data/demo.dat");
    ASSERT_EQ(saved.size(), kFileBytes);
    EXPECT_EQ(saved.find_first_not_of('\0'), std::string::npos);
}

// --- playback ---

class DemoPlaybackTest : public ::testing::Test {
  protected:
    std::vector<ControlRecord> play(size_t count) {
        DemoPlayback playback;
        std::vector<ControlRecord> out;
        for (size_t i = 0; i < count; ++i)
            out.push_back(playback.next());
        return out;
    }

    static std::vector<ControlRecord> sample(size_t count) {
        std::vector<ControlRecord> records(count);
        for (size_t i = 0; i < count; ++i) {
            records[i].pedal = static_cast<uint8_t>(i % 2);
            records[i].boost = static_cast<uint8_t>(i % 3 == 0);
            records[i].steer = static_cast<float>(i % 11) / 10.0f - 0.5f;
        }
        return records;
    }

    RiderWorkspace ws;
};

TEST(RecordingRoundTrip, ASavedRideComesBackRecordForRecord) {
    RiderWorkspace ws("1 down F\n5 down LEFT\n30 down UP\n40 up F\n41 down SPACE\n60 up LEFT\n61 down X\n");
    std::vector<ControlRecord> recorded;
    {
        KeyboardRecorder recorder(ws.rig.keyboard);
        for (uint32_t t = 1; t <= 90; ++t) {
            ws.rig.keysFor(t);
            ws.rig.keyboard.poll();
            recorded.push_back(recorder.next());
        }
        ASSERT_TRUE(recorder.recording().save(ControlRecording::kDemoFile));
    }
    DemoPlayback playback;
    for (size_t i = 0; i < recorded.size(); ++i)
        EXPECT_EQ(playback.next(), recorded[i]) << "record " << i;
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(playback.next(), ControlRecord{});
}

TEST_F(DemoPlaybackTest, WithoutADemoFileEveryRecordIsZero) {
    for (const ControlRecord& record : play(50))
        EXPECT_EQ(record, ControlRecord{});
    ws.writeFile("Data/demo.dat", "");
    for (const ControlRecord& record : play(50))
        EXPECT_EQ(record, ControlRecord{});
}

TEST_F(DemoPlaybackTest, AShortFileIsPlayedAsFarAsItsWholeRecordsGo) {
    const std::vector<ControlRecord> records = sample(3);
    ws.writeFile("Data/demo.dat", bytesOf(records) + std::string(7, '\x01'));
    const std::vector<ControlRecord> played = play(6);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(played[i], records[i]);
    for (size_t i = 3; i < 6; ++i)
        EXPECT_EQ(played[i], ControlRecord{}) << "record " << i;
}

TEST_F(DemoPlaybackTest, ALongFileIsReadOnlyUpToItsCapacityAndThenRunsOutToZeros) {
    const std::vector<ControlRecord> records = sample(65536 + 10);
    ws.writeFile("Data/demo.dat", bytesOf(records));
    DemoPlayback playback;
    for (size_t i = 0; i < 65536; ++i)
        ASSERT_EQ(playback.next(), records[i]) << "record " << i;
    EXPECT_EQ(playback.recordIndex(), 65536u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(playback.next(), ControlRecord{});
    EXPECT_EQ(playback.recordIndex(), 65536u);
}

TEST_F(DemoPlaybackTest, DamagedSteeringIsBroughtBackIntoRange) {
    std::vector<ControlRecord> records(5);
    records[0].steer = std::numeric_limits<float>::quiet_NaN();
    records[1].steer = std::numeric_limits<float>::infinity();
    records[2].steer = -7.5f;
    records[3].steer = 0.25f;
    records[4].pedal = 0xFF;
    ws.writeFile("Data/demo.dat", bytesOf(records));
    const std::vector<ControlRecord> played = play(5);
    EXPECT_EQ(played[0].steer, 0.0f);
    EXPECT_EQ(played[1].steer, 1.0f);
    EXPECT_EQ(played[2].steer, -1.0f);
    EXPECT_EQ(played[3].steer, 0.25f);
    EXPECT_EQ(played[4].pedal, 0xFF); // any non-zero byte is a pressed key
}

TEST_F(DemoPlaybackTest, ADemoFolderSpelledInLowerCaseIsFound) {
    std::filesystem::rename(ws.rig.dir.path() / "Data", ws.rig.dir.path() / "data");
    ws.writeFile("data/demo.dat", bytesOf(sample(2)));
    EXPECT_EQ(play(2), sample(2));
}

// A pipe in place of the demo's files blocked the attract demo for ever; it reads as missing.
TEST(RecordingFiles, APipeInPlaceOfARecordingOrGoalFileReadsAsMissing) {
    test::TempDir dir;
    const std::string pipe = dir.file("demo.dat");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ControlRecording recording;
    EXPECT_FALSE(recording.load(pipe));
    GoalRecord goals(-1);
    EXPECT_FALSE(goals.load(pipe));
    EXPECT_EQ(goals[0], -1);
}

} // namespace
} // namespace qv::test
