#pragma once

#include "scene/Scene.h"

namespace qv {

// The attract demo: replays the best recorded run with its targets.
class AttractScene : public Scene {
  public:
    AttractScene(GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard, GameState& state,
                 const Settings& settings)
        : Scene(Kind::Attract, graphics, sound, keyboard, state, settings) {}
};

} // namespace qv
