// Runs a command and prints what one run of it cost, for bench/report:
//
//   qorvex-run-measure COMMAND ARGS...
//   -> start_ns=… wall_s=… cpu_s=… peak_kb=… exit=…
//
// start_ns is CLOCK_MONOTONIC just before the fork, so a child's own monotonic timestamps can be
// measured from its start. cpu_s is user + system time of the command and everything it waited
// for; peak_kb its largest resident set.
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COMMAND ARGS...\n", argv[0]);
        return 2;
    }
    const long long start = monotonicNs();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("wait4");
        return 2;
    }
    const double wall = static_cast<double>(monotonicNs() - start) * 1e-9;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::printf("start_ns=%lld wall_s=%.6f cpu_s=%.6f peak_kb=%ld exit=%d\n", start, wall,
                seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss, code);
    return 0;
}
