#pragma once

namespace qv::test {

// SDL unloads EGL and the GL driver when its video subsystem shuts down, and with them the
// owners of the driver's own allocations: LeakSanitizer would report those, unnamed. Keeping
// every library loaded leaves them reachable, so what it reports is ours. Call it once a GL
// device exists.
void keepLoadedLibraries();

} // namespace qv::test
