#include "rider/PlayRider.h"

#include <memory>

namespace qv {

PlayRider::PlayRider(GraphicsDevice& device, SoundSystem& sound, KeyboardInput& keyboard, const Field& field,
                     const WaterSurface& water, GameState& state)
    : Rider(device, sound, field, water) {
    attachControlSource(std::make_unique<KeyboardRecorder>(keyboard, state));
}

} // namespace qv
