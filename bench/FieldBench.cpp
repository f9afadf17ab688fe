#include "field/DrawWindow.h"
#include "field/FieldGrid.h"
#include "field/FieldHeights.h"
#include "field/TerrainPalette.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<qv::FieldGrid> makeHills() {
    qv::FieldHeights heights;
    for (int i = 0; i < qv::FieldHeights::kSamples; ++i)
        for (int j = 0; j < qv::FieldHeights::kSamples; ++j)
            heights.set(i, j, 1.5f + 1.2f * std::sin(i * 0.21f) * std::cos(j * 0.17f));
    return std::make_unique<qv::FieldGrid>(heights, qv::TerrainPalette(1));
}

// One frame's window selection and vertex copy, the eye circling the middle of the field.
void BM_DrawWindowSelect(benchmark::State& state) {
    const auto grid = makeHills();
    qv::DrawWindow window(static_cast<int32_t>(state.range(0)));
    float yaw = 0.0f;
    for (auto _ : state) {
        yaw += 0.01f;
        const qv::Vec3 eye{50.5f + 10.0f * std::cos(yaw), 3.0f, 50.5f + 10.0f * std::sin(yaw)};
        benchmark::DoNotOptimize(window.select(grid->cells(), eye, yaw));
        benchmark::ClobberMemory();
    }
    state.counters["vertices"] = static_cast<double>(window.vertexCount());
}
BENCHMARK(BM_DrawWindowSelect)->Arg(15)->Arg(100);

void BM_HeightAt(benchmark::State& state) {
    const auto grid = makeHills();
    float x = 0.0f;
    for (auto _ : state) {
        x += 0.37f;
        if (x >= 99.0f)
            x -= 99.0f;
        benchmark::DoNotOptimize(grid->heightAt(x, 99.0f - x));
    }
}
BENCHMARK(BM_HeightAt);

void BM_NormalAt(benchmark::State& state) {
    const auto grid = makeHills();
    float x = 0.0f;
    for (auto _ : state) {
        x += 0.37f;
        if (x >= 99.0f)
            x -= 99.0f;
        benchmark::DoNotOptimize(grid->normalAt(x, 99.0f - x).y);
    }
}
BENCHMARK(BM_NormalAt);

} // namespace

BENCHMARK_MAIN();
