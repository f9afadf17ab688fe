// Frame times of the real GL device: the attract demo's race drawn on SDL's offscreen driver (Mesa's
// llvmpipe on a machine without a GPU), from the first clear to the presented and finished frame.
// Reports the minimum, median and 95th percentile over the frames of each setting. Run it from
// any folder; it uses the generated content of the run directory.
//
//   SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ./GlFrameBench
#include "app/GameDirector.h"
#include "app/Settings.h"
#include "game/GameState.h"
#include "platform/GlRenderDevice.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/ScriptedKeySource.h"
#include "platform/SdlWindow.h"
#include "platform/VirtualClock.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The real device, stopping a clock around each frame. A pbuffer's swap does not wait for the
// rasterizer, so the frame is finished here, as a window's present would.
class TimedGlDevice : public qv::GlRenderDevice {
  public:
    using GlRenderDevice::GlRenderDevice;

    bool timing = false;
    std::vector<double> frameMs;
    uint64_t draws = 0;
    double cpuMs = 0.0; // every thread's, the rasterizer's included

    void drawPrimitiveUP(qv::PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                         uint32_t stride) override {
        draws += timing;
        GlRenderDevice::drawPrimitiveUP(type, primitiveCount, vertices, stride);
    }
    void drawIndexedTriangles(const qv::MeshVertex* vertices, uint32_t vertexCount, const uint32_t* indices,
                              uint32_t triangleCount) override {
        draws += timing;
        GlRenderDevice::drawIndexedTriangles(vertices, vertexCount, indices, triangleCount);
    }
    void drawStatic(const qv::StaticGeometry& geometry, qv::PrimitiveType type,
                    std::span<const qv::VertexRange> ranges) override {
        draws += timing;
        GlRenderDevice::drawStatic(geometry, type, ranges);
    }
    void drawStaticMesh(const qv::StaticGeometry& mesh) override {
        draws += timing;
        GlRenderDevice::drawStaticMesh(mesh);
    }

  protected:
    void clear(qv::Argb color) override {
        start_ = Clock::now();
        cpuStart_ = processCpuMs();
        GlRenderDevice::clear(color);
    }
    void present() override {
        GlRenderDevice::present();
        glFinish();
        if (!timing)
            return;
        frameMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start_).count());
        cpuMs += processCpuMs() - cpuStart_;
    }

  private:
    static double processCpuMs() {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
    }

    Clock::time_point start_;
    double cpuStart_ = 0.0;
};

struct FrameSetting {
    uint32_t width, height;             // back buffer
    uint32_t windowWidth, windowHeight; // what present scales it into
    int32_t sightRange;
    qv::GlPresentOptions options; // as the game in a window has them, unless named otherwise
};

constexpr uint32_t kFirstTimedTick = 620; // the demo's race has begun
constexpr uint32_t kTimedTicks = 900;
constexpr double kFrameBudgetMs = 12.0; // the game's, in a window

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    size_t at = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

struct FrameLog {
    std::vector<double> frameMs;
    uint64_t draws = 0;
    double cpuMs = 0.0;
    float finalScale = 1.0f;
};

FrameLog demoFrames(const FrameSetting& s) {
    std::filesystem::current_path(QORVEX_RUN_DIR);
    const std::string ini = (std::filesystem::temp_directory_path() / "qorvex-frame-bench.ini").string();
    std::ofstream(ini) << "";
    qv::GameState game;
    game.reset();
    game.sightRange = s.sightRange;
    game.random.seed(3);
    qv::SdlWindow window("GlFrameBench", s.windowWidth, s.windowHeight, false);
    TimedGlDevice device(window, s.width, s.height, s.options);
    qv::NullSoundSystem sound;
    qv::ScriptedKeySource keys = qv::ScriptedKeySource::fromText("");
    qv::KeyboardInput keyboard(keys, keys);
    qv::VirtualClock clock;
    qv::Settings settings(ini);
    qv::GameDirector director(device, sound, keyboard, clock, game, settings, std::cerr);
    for (uint32_t tick = 1; tick < kFirstTimedTick + kTimedTicks; ++tick) {
        device.timing = tick >= kFirstTimedTick;
        director.tick();
    }
    director.setState(qv::GameDirector::Quit);
    director.tick();
    return {device.frameMs, device.draws, device.cpuMs, device.renderScale()};
}

void demoFrame(benchmark::State& state, FrameSetting setting) {
    for (auto _ : state) {
        FrameLog log = demoFrames(setting);
        const std::vector<double>& frames = log.frameMs;
        if (frames.empty()) {
            state.SkipWithError("no frame was drawn");
            return;
        }
        double total = 0.0;
        for (double ms : frames)
            total += ms;
        state.SetIterationTime(total / 1000.0);
        state.counters["frames"] = static_cast<double>(frames.size());
        state.counters["cpu_ms_per_frame"] = log.cpuMs / static_cast<double>(frames.size());
        state.counters["final_scale"] = log.finalScale;
        state.counters["draws_per_frame"] =
            static_cast<double>(log.draws) / static_cast<double>(frames.size());
        state.counters["min_ms"] = percentile(frames, 0.0);
        state.counters["median_ms"] = percentile(frames, 0.5);
        state.counters["p95_ms"] = percentile(frames, 0.95);
    }
}

void registerSetting(const char* name, FrameSetting setting) {
    benchmark::RegisterBenchmark(name, demoFrame, setting)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    const qv::GlPresentOptions window{false, 0.0};
    const qv::GlPresentOptions adaptive{false, kFrameBudgetMs};
    const qv::GlPresentOptions readable{true, 0.0};
    registerSetting("demo/640x480/sight15", {640, 480, 640, 480, 15, window});
    registerSetting("demo/640x480/sight100", {640, 480, 640, 480, 100, window});
    registerSetting("demo/1920x1080/sight15", {1920, 1080, 1920, 1080, 15, window});
    registerSetting("demo/1920x1080/sight100", {1920, 1080, 1920, 1080, 100, window});
    registerSetting("demo/640x480-in-1920x1080/sight15", {640, 480, 1920, 1080, 15, window});
    registerSetting("demo/1920x1080/sight15/adaptive", {1920, 1080, 1920, 1080, 15, adaptive});
    registerSetting("demo/1920x1080/sight100/adaptive", {1920, 1080, 1920, 1080, 100, adaptive});
    registerSetting("demo/640x480-in-1920x1080/sight15/adaptive", {640, 480, 1920, 1080, 15, adaptive});
    registerSetting("demo/640x480/sight15/readable", {640, 480, 640, 480, 15, readable});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
