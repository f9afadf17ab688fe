#include <cstdlib>
#include <gtest/gtest.h>

// Every test runs without a display or a sound device: SDL's offscreen video driver (real GL
// through EGL and Mesa) and its silent audio driver, unless the caller chose others.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
