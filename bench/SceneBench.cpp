// Building one scene (field, textures, meshes, sounds, every component) on the generated content
// with the headless back ends: what the director pays each time the demo or a run begins. Run it
// from the run directory (build/run), or from anywhere when the run directory sits beside this
// program's folder.
#include "RunDirectory.h"
#include "app/Settings.h"
#include "game/GameState.h"
#include "game/SceneKind.h"
#include "platform/KeyboardInput.h"
#include "platform/NullSoundSystem.h"
#include "platform/RecordingRenderDevice.h"
#include "platform/ScriptedKeySource.h"
#include "scene/Scene.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void buildScenes(benchmark::State& state, qv::SceneKind kind) {
    if (!qv::bench::enterRunDirectory()) {
        state.SkipWithError("no generated Data/ here or in ../run");
        return;
    }
    qv::GameState game;
    game.random.seed(1);
    const qv::SceneOptions options = qv::Settings("./no-such-settings.ini").sceneOptions();
    qv::RecordingRenderDevice graphics;
    qv::NullSoundSystem sound;
    qv::ScriptedKeySource keys = qv::ScriptedKeySource::fromText("");
    qv::KeyboardInput keyboard(keys, keys);
    for (auto _ : state) {
        auto scene = std::make_unique<qv::Scene>(kind, graphics, sound, keyboard, game, options);
        benchmark::DoNotOptimize(scene.get());
    }
}

void BM_SceneBuildAttract(benchmark::State& state) {
    buildScenes(state, qv::SceneKind::Attract);
}
BENCHMARK(BM_SceneBuildAttract)->Unit(benchmark::kMillisecond);

void BM_SceneBuildPlay(benchmark::State& state) {
    buildScenes(state, qv::SceneKind::Play);
}
BENCHMARK(BM_SceneBuildPlay)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
