#pragma once

#include "scene/Scene.h"

namespace qv {

// A player's run over one stage (or the endless field).
class PlayScene : public Scene {
  public:
    PlayScene(GraphicsDevice& graphics, SoundSystem& sound, KeyboardInput& keyboard, GameState& state,
              const Settings& settings)
        : Scene(Kind::Play, graphics, sound, keyboard, state, settings) {}
};

} // namespace qv
