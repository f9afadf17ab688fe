// Building one scene (field, textures, meshes, sounds, every component) on the generated content
// with the headless back ends: what the director pays each time the demo or a run begins. The
// director keeps one content cache for all its scenes, so every scene after the first finds the
// pictures and meshes decoded; the Uncached variants keep nothing and read every file at every
// request, which is what every scene paid before there was a cache. Run it from the run
// directory (build/run), or from anywhere when the run directory sits beside this program's
// folder.
#include "RunDirectory.h"
#include "app/Settings.h"
#include "assets/ContentCache.h"
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

void BM_SceneBuild(benchmark::State& state, qv::SceneKind kind, qv::ContentCache::Keep keep) {
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
    qv::ContentCache content(keep);
    for (auto _ : state) {
        auto scene = std::make_unique<qv::Scene>(kind, graphics, content, sound, keyboard, game, options);
        benchmark::DoNotOptimize(scene.get());
    }
}

using Keep = qv::ContentCache::Keep;
BENCHMARK_CAPTURE(BM_SceneBuild, Attract, qv::SceneKind::Attract, Keep::Everything)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneBuild, Play, qv::SceneKind::Play, Keep::Everything)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneBuild, AttractUncached, qv::SceneKind::Attract, Keep::Nothing)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SceneBuild, PlayUncached, qv::SceneKind::Play, Keep::Nothing)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
