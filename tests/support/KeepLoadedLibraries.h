#pragma once

namespace qv::test {

// SDL unloads EGL and the GL driver when its video subsystem shuts down, and with them the
// owners of the driver's own allocations: LeakSanitizer would report those, unnamed. Keeping
// every library loaded leaves them reachable, so what it reports is ours. Call it once a GL
// device exists.
void keepLoadedLibraries();
// For tests that open windows or run the game with one, before they do: opens a window and a GL
// device once, and keeps what they loaded.
void keepTheGlDriverLoaded();

} // namespace qv::test
