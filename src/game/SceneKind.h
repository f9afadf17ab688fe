#pragma once

namespace qv {

// The kinds of scene: the attract demo replays the best recorded run, a player's run is played
// from the keys and leaves its recording behind, a replay plays a recorded stage as the player
// rode it (scored as a run, but writing nothing).
enum class SceneKind { Attract, Play, Replay };

} // namespace qv
