#include "app/Program.h"
#include "app/TraceReader.h"
#include "core/FilePaths.h"
#include "replay/ControlRecord.h"
#include "support/HeadlessRig.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace qv {
namespace {

// Whole games on the headless runner with the autopilot riding, on the rig's level field.
class ScenarioTest : public ::testing::Test {
  protected:
    std::vector<TraceTick> play(const std::string& keys, uint32_t ticks, bool autopilot = true) {
        rig.dir.write("keys.txt", keys);
        std::vector<std::string> args{"--headless",  "--seed",   "7",
                                      "--keys",      "keys.txt", "--trace",
                                      "trace.jsonl", "--ticks",  std::to_string(ticks)};
        if (autopilot)
            args.push_back("--autopilot");
        std::string error;
        auto commandLine = CommandLine::parse(args, error);
        EXPECT_TRUE(commandLine) << error;
        Program program(*commandLine);
        EXPECT_EQ(program.run(), 0);
        return readTrace("trace.jsonl");
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(rig.dir.path() / name); }

    // Ticks of the first player run: from its first traced tick to its last.
    static std::pair<size_t, size_t> firstRun(const std::vector<TraceTick>& trace) {
        size_t begin = 0;
        while (begin < trace.size() && !(trace[begin].director == 3 && !trace[begin].demo))
            ++begin;
        size_t end = begin;
        while (end < trace.size() && trace[end].director == 3)
            ++end;
        return {begin, end};
    }

    test::HeadlessRig rig;
};

float flatDistance(const Vec3& a, const Vec3& b) {
    return std::hypot(a.x - b.x, a.z - b.z);
}

// Skips the logo, then a fresh Enter on the demo starts a run.
constexpr const char* kStartEndless = "2 down RETURN\n3 up RETURN\n10 down RETURN\n11 up RETURN\n";

// Knock-downs score, place the next goal far enough away and add time for it; Enter abandons
// the run, and a run that set a new high score becomes the next demo, replayed tick for tick.
TEST_F(ScenarioTest, KnockDownsScoreAndAddTimeAndTheBestRunBecomesTheDemo) {
    auto trace = play(std::string(kStartEndless) + "2200 down RETURN\n2201 up RETURN\n", 2200 + 900);
    auto [begin, end] = firstRun(trace);
    ASSERT_LT(end, trace.size()) << "Enter did not end the run";

    int knockDowns = 0;
    for (size_t i = begin + 1; i < end; ++i) {
        const TraceTick& was = trace[i - 1];
        const TraceTick& now = trace[i];
        if (!(now.score && was.score && *now.score > *was.score && now.phase == 2))
            continue;
        ++knockDowns;
        // Every knock-down is worth 500 points and a bonus, and puts the next goal 20 or more away.
        EXPECT_GE(*now.score - *was.score, 500) << "tick " << now.tick;
        ASSERT_TRUE(now.goal && was.goal);
        float d = flatDistance(*now.goal, *was.goal);
        EXPECT_GE(d, 20.0f) << "tick " << now.tick;
        // The new goal brings time to cover its distance: 120 d / a frames, a = 8 + 0.3 per goal.
        ASSERT_TRUE(now.time && was.time);
        double added = *now.time - *was.time + 1.0;
        double expected = 120.0 * d / (8.0 + 0.3 * (knockDowns + 1));
        EXPECT_NEAR(added, expected, expected * 0.02) << "tick " << now.tick;
    }
    EXPECT_GE(knockDowns, 3);

    EXPECT_EQ(trace[end].director, 4); // abandoned: back to the demo
    for (const char* file : {"Data/demo.dat", "Data/dgoal.dat", "Data/score.dat", "HiScore.txt"})
        EXPECT_TRUE(exists(file)) << file;
    EXPECT_FALSE(exists("Data/replay.dat"));

    // The next attract scene replays the ride: the same rider and goal positions, tick for tick.
    size_t demo = end + 1;
    ASSERT_TRUE(trace[demo].demo);
    size_t compared = 0;
    for (size_t k = 1; begin + k < end && demo + k < trace.size() && trace[demo + k].director == 1; ++k) {
        const TraceTick& run = trace[begin + k];
        const TraceTick& replay = trace[demo + k];
        ASSERT_EQ(run.phase, replay.phase) << k;
        ASSERT_TRUE(run.riderPos && replay.riderPos);
        ASSERT_EQ(*run.riderPos, *replay.riderPos) << "tick " << k << " of the scene";
        ASSERT_EQ(run.goal, replay.goal) << "tick " << k << " of the scene";
        ++compared;
    }
    EXPECT_GT(compared, 800u);
}

TEST_F(ScenarioTest, AnEndlessRunRunsOutOfTimeFloodsAndReturnsToTheDemo) {
    auto trace = play(kStartEndless, 4800, false);
    auto [begin, end] = firstRun(trace);
    ASSERT_LT(end, trace.size()) << "the run never ended";
    bool raceOver = false;
    for (size_t i = begin + 1; i < end && !raceOver; ++i)
        if (trace[i - 1].phase == 2 && trace[i].phase == 3) {
            raceOver = true;
            EXPECT_LT(*trace[i - 1].time, 1.0);
        }
    EXPECT_TRUE(raceOver);

    // The finish: the water rises by 4.0 over 500 ticks, then the walker, the fade, and the demo.
    double highest = 0.0;
    for (size_t i = begin; i < end; ++i)
        highest = std::max(highest, trace[i].water.value_or(0.0));
    EXPECT_NEAR(highest, 0.445 + 4.0, 0.01);
    EXPECT_EQ(trace[end].director, 4);
    EXPECT_EQ(trace[end + 1].director, 1);
    EXPECT_TRUE(trace[end + 1].demo);
    // No knock-down, no new high score: the run is kept as the replay, not as the demo.
    EXPECT_TRUE(exists("Data/replay.dat"));
    EXPECT_FALSE(exists("Data/demo.dat"));
}

TEST_F(ScenarioTest, StageModeClearsStageOneWithFiveKnockDownsAndGoesStraightToStageTwo) {
    // Left on the demo switches to stage mode, then Enter starts stage 1.
    auto trace =
        play("2 down RETURN\n3 up RETURN\n6 down LEFT\n7 up LEFT\n10 down RETURN\n11 up RETURN\n", 4200);
    auto [begin, end] = firstRun(trace);
    ASSERT_LT(end, trace.size()) << "stage 1 never ended";
    EXPECT_EQ(trace[begin].stage, 1);
    EXPECT_EQ(trace[begin].mode, 1);
    EXPECT_TRUE(trace[end - 1].stageCleared);
    EXPECT_EQ(trace[end].director, 2);
    EXPECT_EQ(trace[end + 1].director, 3);
    EXPECT_EQ(trace[end + 1].stage, 2);
    EXPECT_FALSE(trace[end + 1].demo);
    EXPECT_FALSE(trace[end + 1].stageCleared);
}

// A whole run on the pad: Start skips the logo and starts the run, the stick steers part way,
// the shoulder boosts, X jumps, Back pauses and resumes, the pad is pulled out and plugged in
// again, and Start ends the run.
constexpr const char* kPadRun = R"(2 down PAD_START
3 up PAD_START
10 down PAD_START
11 up PAD_START
12 down PAD_A
300 axis LEFTX -0.5
360 axis LEFTX 0
400 down PAD_RB
420 up PAD_RB
500 down PAD_X
502 up PAD_X
600 axis LEFTX 0.9
640 axis LEFTX 0
900 down PAD_BACK
901 up PAD_BACK
960 down PAD_BACK
961 up PAD_BACK
1000 paddisconnect
1030 padconnect
1031 down PAD_A
1300 down PAD_START
1301 up PAD_START
1305 up PAD_A
1310 down PAD_DPAD_DOWN
1311 up PAD_DPAD_DOWN
1320 down PAD_DPAD_DOWN
1321 up PAD_DPAD_DOWN
1330 down PAD_A
1331 up PAD_A
)";

std::vector<ControlRecord> readRecords(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(readFile(path, bytes)) << path;
    std::vector<ControlRecord> records(bytes.size() / sizeof(ControlRecord));
    std::memcpy(records.data(), bytes.data(), records.size() * sizeof(ControlRecord));
    return records;
}

TEST_F(ScenarioTest, APadPlaysARunPausesOnBackAndGoesOnAfterBeingPulledOut) {
    auto trace = play(kPadRun, 1400, false);
    auto [begin, end] = firstRun(trace);
    ASSERT_LT(end, trace.size()) << "Start, then the pause menu's \"End this run\", did not end the run";
    EXPECT_EQ(trace[end].tick, 1330);
    EXPECT_EQ(trace[begin].tick, 12) << "Start skipped the logo and started the run";
    EXPECT_EQ(trace[end].director, 4);

    // Back paused at tick 900 and resumed at 960: neither the clock nor the rider moved.
    for (int tick = 901; tick < 960; ++tick) {
        EXPECT_EQ(trace[tick - 1].time, trace[899].time) << "tick " << tick;
        EXPECT_EQ(trace[tick - 1].riderPos, trace[899].riderPos) << "tick " << tick;
    }
    EXPECT_NE(trace[970].time, trace[899].time);

    // The run's recording holds what the pad did, the stick's part-way steering among it.
    ASSERT_TRUE(exists("Data/replay.dat")) << "no knock-down, so no new best: the run is the replay";
    const std::vector<ControlRecord> records = readRecords(rig.path("Data/replay.dat"));
    const float halfStick = (0.5f - 0.25f) / 0.75f;
    auto count = [&](auto&& what) { return std::ranges::count_if(records, what); };
    EXPECT_GT(count([&](const ControlRecord& r) { return r.steer == halfStick && r.left; }), 10);
    EXPECT_GT(count([](const ControlRecord& r) { return r.right && r.steer < 0.0f; }), 0);
    EXPECT_GT(count([](const ControlRecord& r) { return r.boost; }), 0);
    EXPECT_GT(count([](const ControlRecord& r) { return r.jump; }), 0);
    // Pedalling: on, off while the pad was out, on again once it was back.
    std::vector<uint8_t> pedalling;
    for (const ControlRecord& r : records)
        if (pedalling.empty() || pedalling.back() != r.pedal)
            pedalling.push_back(r.pedal);
    EXPECT_EQ(pedalling, (std::vector<uint8_t>{1, 0, 1, 0})) << "the last 0: the unused rest of the file";
}

} // namespace
} // namespace qv
