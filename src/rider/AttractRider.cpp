#include "rider/AttractRider.h"

#include <memory>

namespace qv {

// The game state is taken like the player's rider takes it, so the scene builds both alike; the
// demo never writes anything, so it has no use for it.
AttractRider::AttractRider(GraphicsDevice& device, SoundSystem& sound, const Field& field,
                           const WaterSurface& water, GameState& /*state*/)
    : Rider(device, sound, field, water) {
    attachControlSource(std::make_unique<DemoPlayback>());
}

} // namespace qv
