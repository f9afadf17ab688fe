#include "app/TraceReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// A run's tick as the headless runner writes it: the camera has a mode of its own after the
// game's, and every number is printed with nine significant digits.
constexpr const char* kRunning =
    R"({"tick":5000,"director":3,"phase":2,"demo":false,"stage":1,"mode":1,"rider":{"pos":[0.507904708,)"
    R"(0.56740284,36.2166138],"vel":[0.00790472515,0.052292157,-0.270577282],"speed":0.283611029,)"
    R"("heading":-0.921034455,"turnRate":0.0349712707,"pitch":0.108039461,"roll":-0.14694868,"state":2,)"
    R"("waterContact":0,"gauge":0.159999683},"goal":[29.5,1.66570234,4.5],"score":31784,)"
    R"("time":5919.69563,"water":4.44499969,"camera":{"mode":3,"eye":[0.27,1.03,37.77],)"
    R"("lookAt":[0.5,0.96,36.49]},"stageCleared":true})";
// The logo: no scene, so no phase, rider, goal, score, time or water.
constexpr const char* kLogo =
    R"({"tick":1,"director":0,"phase":null,"demo":true,"stage":0,"mode":0,"rider":null,"goal":null,)"
    R"("score":null,"time":null,"water":null,"camera":null,"stageCleared":false})";

std::vector<TraceTick> read(const std::string& text) {
    test::TempDir dir;
    return readTrace(dir.write("trace.jsonl", text));
}

TEST(TraceReader, ReadsEveryValueOfARunningTick) {
    const std::vector<TraceTick> trace = read(std::string(kRunning) + "\n");
    ASSERT_EQ(trace.size(), 1u);
    const TraceTick& t = trace[0];
    EXPECT_EQ(t.tick, 5000);
    EXPECT_EQ(t.director, 3);
    EXPECT_EQ(t.phase, 2);
    EXPECT_FALSE(t.demo);
    EXPECT_EQ(t.stage, 1);
    EXPECT_EQ(t.mode, 1) << "the game's mode, not the camera's";
    EXPECT_EQ(t.riderPos, (Vec3{0.507904708f, 0.56740284f, 36.2166138f}));
    EXPECT_EQ(t.riderSpeed, 0.283611029f);
    EXPECT_EQ(t.riderState, 2);
    EXPECT_EQ(t.goal, (Vec3{29.5f, 1.66570234f, 4.5f}));
    EXPECT_EQ(t.score, 31784);
    EXPECT_EQ(t.time, 5919.69563);
    EXPECT_EQ(t.water, 4.44499969);
    EXPECT_TRUE(t.stageCleared);
}

TEST(TraceReader, NullsReadAsMissing) {
    const std::vector<TraceTick> trace = read(std::string(kLogo) + "\n");
    ASSERT_EQ(trace.size(), 1u);
    const TraceTick& t = trace[0];
    EXPECT_EQ(t.tick, 1);
    EXPECT_EQ(t.director, 0);
    EXPECT_FALSE(t.phase);
    EXPECT_TRUE(t.demo);
    EXPECT_FALSE(t.riderPos || t.riderSpeed || t.riderState || t.goal);
    EXPECT_FALSE(t.score || t.time || t.water);
    EXPECT_FALSE(t.stageCleared);
}

TEST(TraceReader, ReadsEveryLineInOrderAndDefaultsWhatIsAbsent) {
    const std::vector<TraceTick> trace = read(std::string(kLogo) + "\n{}\n" + kRunning);
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[0].tick, 1);
    EXPECT_EQ(trace[1].tick, 0);
    EXPECT_EQ(trace[1].director, -1);
    EXPECT_EQ(trace[2].tick, 5000);
}

TEST(TraceReader, TakesTheFirstPlaceAKeyHasAValue) {
    const std::vector<TraceTick> trace =
        read(R"({"goal":{"pos":[1,2]},"pos":[-1e-2,2.5E+1,3],"score":"x","score":12})");
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(trace[0].riderPos, (Vec3{-0.01f, 25.0f, 3.0f}));
    EXPECT_FALSE(trace[0].goal);
    EXPECT_EQ(trace[0].score, 12);
}

TEST(TraceReader, AMissingFileReadsAsNoTicks) {
    test::TempDir dir;
    EXPECT_TRUE(readTrace(dir.file("none.jsonl")).empty());
}

// The fuzz harness found a "-" where a number stands threw out of the reader; a damaged line
// now reads as missing values.
TEST(TraceReader, ANumberThatIsNoNumberReadsAsMissing) {
    test::TempDir dir;
    const std::string path = dir.write(
        "trace.jsonl", "{\"tick\":-,\"director\":1e999,\"phase\":3e10,\"pos\":[1,-,3],\"score\":.}\n");
    const auto ticks = readTrace(path);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].tick, 0);
    EXPECT_EQ(ticks[0].director, -1);
    EXPECT_FALSE(ticks[0].phase);
    EXPECT_FALSE(ticks[0].riderPos);
    EXPECT_FALSE(ticks[0].score);
}

} // namespace
} // namespace qv
