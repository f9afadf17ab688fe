#pragma once

#include "sound/Instrument.h"

namespace qv::content::instruments {

// The game's small band; every tune and cue is played on these.
Instrument lead();  // bright square lead with a touch of vibrato
Instrument bass();  // round, plucked bass
Instrument stab();  // short off-beat chord stabs
Instrument arp();   // soft, quick arpeggio voice
Instrument bell();  // sparkling, slowly fading bell
Instrument beep();  // clean signal beep
Instrument siren(); // buzzing alarm tone
Instrument kick();
Instrument snare();
Instrument hiHat();
Instrument crash();

} // namespace qv::content::instruments
