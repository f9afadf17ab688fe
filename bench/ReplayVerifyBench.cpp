// What `qorvex --verify` costs: a replay ridden again on the headless back ends, nothing drawn.
// The replays are the golden ones of the tests (an endless run of 1,907 ticks and a stage run of
// two stages); items are ticks ridden, so the report's rate is ticks per second.
// Run it from the run directory (build/run), or from anywhere when the run directory sits beside
// this program's folder.
#include "RunDirectory.h"
#include "app/ReplayVerifier.h"
#include "replay/ReplayFile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_ReplayVerify(benchmark::State& state, const std::string& name) {
    if (!qv::bench::enterRunDirectory()) {
        state.SkipWithError("no generated Data/ here or in ../run");
        return;
    }
    std::string error;
    const auto run =
        qv::ReplayFile::load(std::string(QORVEX_SOURCE_DIR) + "/tests/replay/golden/" + name, error);
    if (!run) {
        state.SkipWithError(error.c_str());
        return;
    }
    uint64_t ticks = 0;
    for (auto _ : state) {
        for (const auto& stage : qv::ReplayVerifier::ride(*run))
            ticks += stage.ticks;
    }
    state.SetItemsProcessed(static_cast<int64_t>(ticks));
}
BENCHMARK_CAPTURE(BM_ReplayVerify, endless, std::string("endless.qvr"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReplayVerify, stages, std::string("stages-1-2.qvr"))->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
