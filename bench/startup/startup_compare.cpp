// Start-up to the first presented frame and peak memory (VmHWM after a few
// seconds on screen) of the game against the bare SDL2 + GL 3.3 window, five
// pairs started in turn; prints the medians and the ratios. Needs a display.
// Usage: bench_startup_compare [build folder]   (default: the current one)
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// A program that has not drawn by then never will.
constexpr int kFirstFrameTimeoutMs = 60000;

long long Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

long PeakKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

struct Run {
    double ms = -1;
    long kib = -1;
};

Run Measure(const std::string& folder, const std::string& exe, const std::string& probe) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    char saves[] = "/tmp/csq-startup-XXXXXX";
    if (!mkdtemp(saves)) return {};
    const long long start = Now();
    const pid_t pid = fork();
    // No child: -pid below would name init's group, waitpid any child.
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        std::system(("rm -rf " + std::string(saves)).c_str());
        return {};
    }
    if (pid == 0) {
        setpgid(0, 0);
        close(fds[0]);
        if (chdir(folder.c_str()) != 0) _exit(90);
        setenv("APPDATA", saves, 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("LD_PRELOAD", probe.c_str(), 1);
        setenv("CSQ_PROBE_FD", std::to_string(fds[1]).c_str(), 1);
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(91);
    }
    close(fds[1]);
    Run run;
    char buffer[64] = {};
    pollfd wait{fds[0], POLLIN, 0};
    const ssize_t n = poll(&wait, 1, kFirstFrameTimeoutMs) == 1 ? read(fds[0], buffer, sizeof buffer - 1) : 0;
    close(fds[0]);
    if (n > 0) run.ms = double(std::atoll(buffer) - start) / 1e6;
    if (run.ms >= 0) {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        run.kib = PeakKiB(pid);
    }
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::system(("rm -rf " + std::string(saves)).c_str());
    return run;
}

Run Median(std::vector<Run> runs) {
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.ms < b.ms; });
    Run m = runs[runs.size() / 2];
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.kib < b.kib; });
    m.kib = runs[runs.size() / 2].kib;
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "needs a display\n");
        return 1;
    }
    char cwd[4096];
    const std::string folder = argc > 1 ? argv[1] : (getcwd(cwd, sizeof cwd) ? cwd : ".");
    const std::string probe = folder + "/bench/startup/libcsq_first_frame_probe.so";
    const std::string names[2] = {"bare window", "game"};
    const std::string exes[2] = {folder + "/bench/startup/bench_bare_window", folder + "/CSQ.exe"};
    // Without the probe neither program would report its first frame.
    for (const std::string& needed : {probe, exes[0], exes[1], folder + "/DATA"}) {
        struct stat st {};
        if (stat(needed.c_str(), &st) != 0) {
            std::fprintf(stderr,
                         "missing %s: build the target bench_startup_compare (it builds what it starts) or name the "
                         "build folder\n",
                         needed.c_str());
            return 1;
        }
    }
    // Interleaved, bare window then game, five pairs: a machine that gets
    // busier or quieter along the way weighs on both alike.
    std::vector<Run> runs[2];
    for (int i = 0; i < 5; ++i)
        for (int p = 0; p < 2; ++p) runs[p].push_back(Measure(folder, exes[p], probe));
    for (int p = 0; p < 2; ++p)
        for (const Run& r : runs[p])
            if (r.ms < 0) {
                std::fprintf(stderr, "%s: no first frame (it ended, or drew nothing for %d s)\n", names[p].c_str(),
                             kFirstFrameTimeoutMs / 1000);
                return 1;
            }
    Run medians[2];
    for (int p = 0; p < 2; ++p) {
        medians[p] = Median(runs[p]);
        std::printf("%-12s first frame %7.1f ms   peak memory %6.1f MiB\n", names[p].c_str(), medians[p].ms,
                    double(medians[p].kib) / 1024.0);
    }
    std::printf("ratio        first frame %7.2f x      peak memory %6.2f x\n", medians[1].ms / medians[0].ms,
                double(medians[1].kib) / double(medians[0].kib));
    std::ifstream load("/proc/loadavg");
    std::string avg;
    std::getline(load, avg);
    std::printf("machine load (1, 5, 15 min): %s\n", avg.c_str());
    return 0;
}
