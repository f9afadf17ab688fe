// Rider update per tick, on the generated content: run from the run directory (build/run), or
// from anywhere when the run directory sits beside this program's folder.
#include "RunDirectory.h"
#include "app/Settings.h"
#include "assets/ContentCache.h"
#include "field/Field.h"
#include "field/WaterSurface.h"
#include "game/GameState.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "replay/DemoPlayback.h"
#include "replay/KeyboardRecorder.h"
#include "rider/Rider.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Everything a rider stands on, with the headless back ends.
struct World {
    qv::GameState game;
    qv::Settings settings;
    qv::RecordingRenderDevice graphics;
    qv::NullSoundSystem sound;
    qv::ContentCache content;
    qv::Field field{graphics, content, game, settings.sceneOptions()};
    qv::WaterSurface water{graphics, game, settings.sceneOptions()};
    // Pedal, steer left and boost, held throughout.
    qv::ScriptedKeySource keys = qv::ScriptedKeySource::fromText("1 down F\n1 down LEFT\n1 down UP\n");
    qv::KeyboardInput keyboard{keys, keys};
    qv::DemoPlayback playback;
    qv::KeyboardRecorder recorder{keyboard};
};

template <typename MakeRider> void runUpdates(benchmark::State& state, MakeRider makeRider) {
    if (!qv::bench::enterRunDirectory()) {
        state.SkipWithError("no generated Data/ here or in ../run");
        return;
    }
    World world;
    world.keys.advanceTo(1);
    world.keyboard.poll();
    std::unique_ptr<qv::Rider> rider = makeRider(world);
    rider->setControlEnabled(true);
    for (auto _ : state) {
        rider->update();
        benchmark::DoNotOptimize(rider->position());
    }
}

// The attract demo: the built-in recording replayed over the terrain.
void BM_DemoRiderUpdate(benchmark::State& state) {
    runUpdates(state, [](World& w) {
        return std::make_unique<qv::Rider>(w.graphics, w.content, w.sound, w.playback, w.field, w.water);
    });
}
BENCHMARK(BM_DemoRiderUpdate);

// A player pedalling in a wide circle with the boost held: keyboard reading and recording too.
void BM_PlayRiderUpdate(benchmark::State& state) {
    runUpdates(state, [](World& w) {
        return std::make_unique<qv::Rider>(w.graphics, w.content, w.sound, w.recorder, w.field, w.water);
    });
}
BENCHMARK(BM_PlayRiderUpdate);

} // namespace

BENCHMARK_MAIN();
