#pragma once

#include <ostream>

namespace qv::content {

// "qorvex-meshview DATADIR OUTDIR": renders the rider's and the target's meshes from DATADIR (a
// generated Data folder) alone and together, from the front, the side and the chase camera's
// angle above and behind, with the real GL device (SDL_VIDEODRIVER=offscreen needs no display).
// Writes one PNG per subject and view into OUTDIR and all of them on OUTDIR/sheet.png. Returns
// the exit code.
int runMeshView(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace qv::content
