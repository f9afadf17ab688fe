// Preloaded (LD_PRELOAD) into the game by the crash tests, to make the file system fail it as a
// real one can, at a moment of the test's choice:
// - QORVEX_KILL_AT=N: renames (what puts a written file in place) are counted, and on entering
//   rename number N the process kills itself with SIGKILL, as kill -9 or a power cut would, with
//   no chance to clean up: the file is written and synced under its temporary name. With
//   QORVEX_KILL_AFTER=N it dies just after rename N instead: the file is in place.
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

long killBefore() {
    static const long at = numberFrom("QORVEX_KILL_AT");
    return at;
}

long killAfter() {
    static const long at = numberFrom("QORVEX_KILL_AFTER");
    return at;
}

bool readOnly() {
    static const bool on = numberFrom("QORVEX_READ_ONLY") != 0;
    return on;
}

long renames = 0;

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int refused() {
    errno = EROFS;
    return -1;
}

} // namespace

extern "C" int rename(const char* from, const char* to) {
    if (++renames == killBefore())
        std::raise(SIGKILL);
    if (readOnly())
        return refused();
    static const auto original = next<int (*)(const char*, const char*)>("rename");
    const int result = original(from, to);
    if (renames == killAfter())
        std::raise(SIGKILL);
    return result;
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
