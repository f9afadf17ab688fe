#include "support/BestRunReplay.h"

#include "app/TraceReader.h"

#include <fstream>
#include <gtest/gtest.h>

namespace qv::test {

namespace {

// Skips the logo, starts an endless run, abandons it at tick 2200 with a score.
constexpr const char* kBestRun =
    "2 down RETURN\n3 up RETURN\n10 down RETURN\n11 up RETURN\n2200 down RETURN\n2201 up RETURN\n";
constexpr const char* kBestRunTicks = "2300";
// The logo and most of a demo scene.
constexpr const char* kDemoTicks = "1500";

void runTo(GameProcess process, std::initializer_list<std::string> args) {
    process.args.insert(process.args.end(), args);
    const auto result = process.run();
    ASSERT_EQ(result.exitCode, 0) << result.output;
}

} // namespace

void playABestRunThenSeeItReplayed(GameProcess process) {
    const std::filesystem::path& here = process.workingDirectory;
    std::ofstream(here / "keys.txt") << kBestRun;
    ASSERT_NO_FATAL_FAILURE(runTo(process, {"--headless", "--autopilot", "--seed", "7", "--keys", "keys.txt",
                                            "--ticks", kBestRunTicks, "--trace", "run.jsonl"}));
    ASSERT_NO_FATAL_FAILURE(runTo(process, {"--headless", "--ticks", kDemoTicks, "--trace", "demo.jsonl"}));

    const auto run = readTrace((here / "run.jsonl").string());
    const auto demo = readTrace((here / "demo.jsonl").string());
    size_t begin = 0, shown = 0;
    while (begin < run.size() && !(run[begin].director == 3 && !run[begin].demo))
        ++begin;
    while (shown < demo.size() && demo[shown].director != 1)
        ++shown;
    auto bothRiding = [&](size_t k) {
        return begin + k < run.size() && shown + k < demo.size() && run[begin + k].director == 3 &&
               demo[shown + k].director == 1;
    };
    size_t compared = 0;
    for (size_t k = 1; bothRiding(k); ++k) {
        ASSERT_TRUE(run[begin + k].riderPos && demo[shown + k].riderPos);
        ASSERT_EQ(*run[begin + k].riderPos, *demo[shown + k].riderPos) << "tick " << k << " of the scene";
        ++compared;
    }
    EXPECT_GT(compared, 1000u);
}

} // namespace qv::test
