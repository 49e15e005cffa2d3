// Runs a program once, as a user starts it, and prints on one line the
// milliseconds it took, the milliseconds of processor time it used and its
// peak resident memory in KiB:
//
//     lodex-measure [--until-shown PROBE] PROGRAM [ARGUMENT...]
//
// With --until-shown, PROBE (the shown-probe library) is preloaded into the
// program, and the time runs until its main window has painted, where the
// probe ends the program. Standard output of the program is discarded.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

// A program that never shows its window (a question at start-up) is ended.
constexpr unsigned kTimeLimitSeconds = 300;
pid_t g_child = 0;

void EndChild(int)
{
    kill(g_child, SIGKILL);
}

double NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double Ms(const timeval &t)
{
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

int Usage()
{
    std::fprintf(stderr, "usage: lodex-measure [--until-shown PROBE] PROGRAM [ARGUMENT...]\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    int first = 1;
    const char *probe = nullptr;
    if (argc > 2 && std::strcmp(argv[1], "--until-shown") == 0) {
        probe = argv[2];
        first = 3;
    }
    if (first >= argc)
        return Usage();

    int shown[2] = {-1, -1};
    if (probe && pipe(shown) != 0)
        return 2;
    const double start = NowMs();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        if (probe) {
            close(shown[0]);
            setenv("LD_PRELOAD", probe, 1);
            setenv("LODEX_SHOWN_FD", std::to_string(shown[1]).c_str(), 1);
        }
        execvp(argv[first], argv + first);
        std::perror(argv[first]);
        _exit(127);
    }
    g_child = child;
    signal(SIGALRM, EndChild);
    alarm(kTimeLimitSeconds);
    double end = 0;
    if (probe) {
        close(shown[1]);
        char byte = 0;
        const bool painted = read(shown[0], &byte, 1) == 1;
        end = NowMs();
        if (!painted) {
            std::fprintf(stderr, "lodex-measure: %s ended before its window showed\n", argv[first]);
            end = 0;
        }
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return 2;
    if (!probe)
        end = NowMs();
    if (end == 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "lodex-measure: %s failed\n", argv[first]);
        return 1;
    }
    std::printf("%.1f %.1f %ld\n", end - start, Ms(usage.ru_utime) + Ms(usage.ru_stime), usage.ru_maxrss);
    return 0;
}
