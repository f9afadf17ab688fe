// How much CPU the game takes per second of wall time while the logo and the attract demo run
// with the real back ends (SDL window, GL renderer, mixer, sleeping clock). Run it from any folder;
// it uses the generated content of the run directory and a windowed setting of its own.
//
//   SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ./MainLoopBench
#include "app/CommandLine.h"
#include "app/Program.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace {

double cpuSeconds(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void mainLoopCpuPerWallSecond(benchmark::State& state) {
    std::filesystem::current_path(QORVEX_RUN_DIR);
    // The player's files (a windowed setting, the scores) go to a folder of the benchmark's own.
    const auto player = std::filesystem::temp_directory_path() / "qorvex-bench";
    std::filesystem::create_directories(player);
    const qv::PlayerFiles files = qv::PlayerFiles::separate(player, player);
    std::ofstream(files.settings()) << "[SCREENMODE]\nFULLSCREEN=0\n";
    qv::CommandLine commandLine;
    commandLine.ticks = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        auto wallStart = std::chrono::steady_clock::now();
        double threadStart = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        double processStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        qv::Program program(commandLine, files);
        if (program.run() != 0)
            state.SkipWithError("the game stopped with an error (see error.log in the run directory)");
        double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        state.counters["main_thread_cpu_per_wall"] =
            (cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadStart) / wall;
        state.counters["process_cpu_per_wall"] = (cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart) / wall;
        state.counters["wall_s"] = wall;
    }
}

// 600 ticks: the whole logo and the first seconds of the attract demo (about 10 s of wall time).
BENCHMARK(mainLoopCpuPerWallSecond)->Arg(600)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
