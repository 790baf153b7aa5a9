// Time from process start to the first painted main window of each program (offscreen),
// and the peak resident memory of that process.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Start
{
    double ms;
    long peakKb;
    bool painted;
};

Start startOnce(const std::string &child)
{
    int out[2];
    if (pipe(out) != 0)
        return {0, 0, false};
    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(child.c_str(), child.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char buffer[64] = {};
    const ssize_t got = read(out[0], buffer, sizeof buffer - 1);
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {std::chrono::duration<double, std::milli>(end - begin).count(), usage.ru_maxrss,
            got > 0 && std::string(buffer).rfind("painted", 0) == 0};
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir(self, length > 0 ? std::size_t(length) : 0);
    dir = dir.substr(0, dir.rfind('/') + 1);

    bool allMet = true;
    std::printf("start-up to first paint, offscreen, %d runs each (targets: under 300 ms, under 80 MB)\n", runs);
    for (int program = 1; program <= 3; ++program) {
        const std::string child = dir + "startup_taluno" + std::to_string(program);
        if (access(child.c_str(), X_OK) != 0) {
            std::printf("  Taluno%d: not built\n", program);
            continue;
        }
        startOnce(child); // warm the file cache
        std::vector<double> times;
        long peakKb = 0;
        for (int i = 0; i < runs; ++i) {
            const Start start = startOnce(child);
            if (!start.painted) {
                std::printf("  Taluno%d: never painted\n", program);
                allMet = false;
                break;
            }
            times.push_back(start.ms);
            peakKb = std::max(peakKb, start.peakKb);
        }
        if (times.empty())
            continue;
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        std::printf("  Taluno%d: median %6.1f ms, slowest %6.1f ms, peak memory %5.1f MB\n", program, median,
                    times.back(), peakKb / 1024.0);
        allMet = allMet && median < 300 && peakKb < 80 * 1024;
    }
    return allMet ? 0 : 1;
}
