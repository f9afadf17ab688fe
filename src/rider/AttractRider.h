#pragma once

#include "game/GameState.h"
#include "replay/DemoPlayback.h"
#include "rider/Rider.h"

namespace qv {

// The attract demo's rider, replaying the best endless run from ./Data/demo.dat.
class AttractRider : public Rider {
  public:
    AttractRider(GraphicsDevice& device, SoundSystem& sound, const Field& field, const WaterSurface& water,
                 GameState& state);
};

} // namespace qv
