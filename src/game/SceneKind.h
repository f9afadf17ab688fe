#pragma once

namespace qv {

// The two kinds of scene: the attract demo replays the best recorded run, a player's run is
// played from the keys and leaves its recording behind.
enum class SceneKind { Attract, Play };

} // namespace qv
