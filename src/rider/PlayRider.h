#pragma once

#include "game/GameState.h"
#include "platform/KeyboardInput.h"
#include "replay/KeyboardRecorder.h"
#include "rider/Rider.h"

namespace qv {

// The player's rider: keyboard input, recorded, and saved as a replay (or the next attract demo
// after a new high score) when an endless run ends.
class PlayRider : public Rider {
  public:
    PlayRider(GraphicsDevice& device, SoundSystem& sound, KeyboardInput& keyboard, const Field& field,
              const WaterSurface& water, GameState& state);
};

} // namespace qv
