#pragma once

#include "support/GameProcess.h"

namespace qv::test {

// Plays a player's best run with the game process (the autopilot riding an endless run that
// scores, for a player without scores), then starts it again with the same arguments and checks
// that the attract demo rides that run tick for tick: the game found the recording it wrote.
// The key script and the traces go to the process's working directory.
void playABestRunThenSeeItReplayed(GameProcess process);

} // namespace qv::test
