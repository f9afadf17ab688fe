// Preloaded (LD_PRELOAD) into the game by the crash tests, to make the file system fail it as a
// real one can, at a moment of the test's choice:
// - QORVEX_KILL_AT=N: every call that makes a file durable (fsync) or puts it in place (rename)
//   is counted, and on entering call number N the process kills itself with SIGKILL, as kill -9
//   or a power cut would, with no chance to clean up.
// - QORVEX_READ_ONLY=1: the file system is read-only (as after a remount on errors): making a
//   file or folder and renaming fail with EROFS, though the game's folder passed its check.
// Without either it only passes calls on.
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/types.h>

namespace {

long numberFrom(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? std::atol(value) : 0L;
}

long killAt() {
    static const long at = numberFrom("QORVEX_KILL_AT");
    return at;
}

bool readOnly() {
    static const bool on = numberFrom("QORVEX_READ_ONLY") != 0;
    return on;
}

void countCall() {
    static long calls = 0;
    if (++calls == killAt())
        std::raise(SIGKILL);
}

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int refused() {
    errno = EROFS;
    return -1;
}

} // namespace

extern "C" int rename(const char* from, const char* to) {
    countCall();
    if (readOnly())
        return refused();
    static const auto original = next<int (*)(const char*, const char*)>("rename");
    return original(from, to);
}

extern "C" int fsync(int descriptor) {
    countCall();
    static const auto original = next<int (*)(int)>("fsync");
    return original(descriptor);
}

extern "C" int mkstemp(char* name) {
    if (readOnly())
        return refused();
    static const auto original = next<int (*)(char*)>("mkstemp");
    return original(name);
}

extern "C" int mkdir(const char* path, mode_t mode) {
    if (readOnly())
        return refused();
    static const auto original = next<int (*)(const char*, mode_t)>("mkdir");
    return original(path, mode);
}
