// Director ticks with the headless back ends, as `qorvex --headless` runs them, once the logo is
// over and the attract scene is built: what one tick of the demo costs, start-up left out. Each
// run times ticks 1001 to 16000, all inside the first demo (its scene is rebuilt at 16615).
// Run it from the run directory (build/run), or from anywhere when the run directory sits beside
// this program's folder.
#include "RunDirectory.h"
#include "app/GameDirector.h"
#include "app/Settings.h"
#include "game/GameState.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "platform/VirtualClock.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr uint32_t kWarmUpTicks = 1000;
constexpr uint32_t kTimedTicks = 15000;

void BM_HeadlessTick(benchmark::State& state) {
    if (!qv::bench::enterRunDirectory()) {
        state.SkipWithError("no generated Data/ here or in ../run");
        return;
    }
    const auto range = static_cast<int32_t>(state.range(0));
    const std::string ini = (std::filesystem::temp_directory_path() / "qorvex-headless-bench.ini").string();
    std::ofstream(ini) << "[PERFORMANCE]\nSIGHTRANGE=" << range << "\n";
    const qv::Settings settings(ini);
    qv::GameState game;
    game.sightRange = qv::GameState::clampSightRange(range);
    game.random.seed(1);
    // Built as the game's headless runner builds it.
    qv::RecordingRenderDevice graphics;
    qv::NullSoundSystem sound;
    qv::ScriptedKeySource keys = qv::ScriptedKeySource::fromText("");
    qv::KeyboardInput keyboard(keys, keys);
    qv::VirtualClock clock;
    qv::GameDirector director(graphics, sound, keyboard, clock, game, settings, std::cerr);
    uint32_t tick = 0;
    auto step = [&] {
        keys.advanceTo(++tick);
        director.tick();
        graphics.clearLog();
    };
    while (tick < kWarmUpTicks)
        step();
    for (auto _ : state)
        step();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HeadlessTick)->Arg(15)->Arg(100)->Iterations(kTimedTicks)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
