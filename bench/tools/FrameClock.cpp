// Preloaded into the game by bench/report: notes the monotonic time at which each frame has been
// presented, without touching the game. At exit it writes one line per frame, in nanoseconds,
// to the file named by QORVEX_FRAME_CLOCK.
//
//   LD_PRELOAD=libqorvex-frame-clock.so QORVEX_FRAME_CLOCK=frames.txt ./qorvex --headless --gl
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <vector>

namespace {

using SwapFunction = void (*)(SDL_Window*);

std::vector<long long>& presentTimes() {
    static std::vector<long long> times;
    return times;
}

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Writer {
    Writer() { presentTimes().reserve(1 << 16); }
    ~Writer() {
        // Any other program the variable reaches (a shell, a launcher) presents nothing and
        // leaves the file to the game.
        const char* path = std::getenv("QORVEX_FRAME_CLOCK");
        if (path == nullptr || presentTimes().empty())
            return;
        if (FILE* out = std::fopen(path, "w")) {
            for (long long t : presentTimes())
                std::fprintf(out, "%lld\n", t);
            std::fclose(out);
        }
    }
} writer;

} // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    static const auto real = reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    real(window);
    presentTimes().push_back(monotonicNs());
}
