// Times two commands side by side: runs them alternately, RUNS times each,
// and prints the median wall time of each in milliseconds and the largest
// resident set size of the first, in KiB:
//
//     quorvel_alternate_runs RUNS COMMAND-A... -- COMMAND-B...
//     -> "median-a median-b peak-rss-a"
//
// The commands start through posix_spawn and write to /dev/null, so that the
// time is the command's own and not that of a shell forking itself.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double milliseconds = 0;
    long peakKib = 0;
    bool ok = false;
};

Run runOnce(const std::vector<char*>& command)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, command[0], &actions, nullptr, command.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(child, &status, 0, &usage) == child) {
            run.ok = WIFEXITED(status);
            run.peakKib = usage.ru_maxrss;  // KiB on Linux
        }
    }
    run.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<char*> first;
    std::vector<char*> second;
    int i = 2;
    for (; i < argc && std::string(argv[i]) != "--"; ++i)
        first.push_back(argv[i]);
    for (++i; i < argc; ++i)
        second.push_back(argv[i]);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
    if (runs < 1 || first.empty() || second.empty()) {
        std::fputs("usage: quorvel_alternate_runs RUNS COMMAND-A... -- COMMAND-B...\n", stderr);
        return 2;
    }
    first.push_back(nullptr);
    second.push_back(nullptr);
    runOnce(first);  // one run each to warm the page cache
    runOnce(second);
    std::vector<double> timesFirst;
    std::vector<double> timesSecond;
    long peakKib = 0;
    for (int run = 0; run < runs; ++run) {
        const Run a = runOnce(first);
        const Run b = runOnce(second);
        if (!a.ok || !b.ok) {
            std::fputs("quorvel_alternate_runs: a command could not be run\n", stderr);
            return 1;
        }
        timesFirst.push_back(a.milliseconds);
        timesSecond.push_back(b.milliseconds);
        peakKib = std::max(peakKib, a.peakKib);
    }
    std::printf("%.3f %.3f %ld\n", median(timesFirst), median(timesSecond), peakKib);
    return 0;
}
