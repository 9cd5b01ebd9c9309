// screentour --out DIR [--only NAME,...] [--jobs N]: drives the real game in its window
// through every screen, board and box a player can meet, writes one PNG each
// into DIR and one contact sheet of them all (DIR/contact_sheet.png). Run it
// from the folder holding DATA. --only takes shot names or their beginnings
// ("front_title", "stage10_", "mini"). The parts run one process each
// (--segment N, for the tool's own use), N at a time (--jobs, 3 by default).
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/screentour/TourSegment.h"
#include "tools/screentour/TourSheet.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: screentour --out DIR [--only NAME,...] [--jobs N]\n");
    return 2;
}

std::string SelfPath(const char* argv0) {
    char buf[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return argv0;
    return std::string(buf, size_t(n));
}

}  // namespace

int main(int argc, char** argv) {
    TourOptions options;
    std::string onlyText;
    int segment = -1;
    int jobs = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) options.out = argv[++i];
        else if (arg == "--only" && i + 1 < argc) onlyText = argv[++i];
        else if (arg == "--segment" && i + 1 < argc) segment = std::atoi(argv[++i]);
        else if (arg == "--jobs" && i + 1 < argc) jobs = std::max(1, std::atoi(argv[++i]));
        else return Usage();
    }
    if (options.out.empty()) return Usage();
    std::stringstream names(onlyText);
    for (std::string n; std::getline(names, n, ',');)
        if (!n.empty()) options.only.push_back(n);
    if (access("DATA", R_OK) != 0) {
        std::fprintf(stderr, "screentour: run it from the folder holding DATA\n");
        return 2;
    }
    if (segment >= 0) return RunTourSegment(segment, options);

    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);
    if (ec) {
        std::fprintf(stderr, "screentour: cannot make %s: %s\n", options.out.c_str(), ec.message().c_str());
        return 2;
    }
    const std::string self = SelfPath(argv[0]);
    // The parts run side by side, a few at a time: each is a game in a window.
    std::map<pid_t, int> running;
    int failed = 0;
    auto reap = [&] {
        int status = 0;
        const pid_t done = wait(&status);
        if (done <= 0) return;
        const auto it = running.find(done);
        if (it == running.end()) return;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "screentour: %s failed\n", TourSegmentName(it->second));
            ++failed;
        }
        running.erase(it);
    };
    for (int s = 0; s < TourSegmentCount(); ++s) {
        if (!TourSegmentWanted(s, options)) continue;
        std::filesystem::remove(TourListPath(options.out, TourSegmentName(s)), ec);
        while (int(running.size()) >= jobs) reap();
        std::fprintf(stderr, "screentour: %s\n", TourSegmentName(s));
        const std::string number = std::to_string(s);
        const pid_t child = fork();
        if (child == 0) {
            if (onlyText.empty())
                execl(self.c_str(), self.c_str(), "--out", options.out.c_str(), "--segment", number.c_str(),
                      static_cast<char*>(nullptr));
            else
                execl(self.c_str(), self.c_str(), "--out", options.out.c_str(), "--segment", number.c_str(), "--only",
                      onlyText.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (child < 0) {
            ++failed;
            continue;
        }
        running[child] = s;
    }
    while (!running.empty()) reap();

    // The parts' lists, in the tour's order.
    std::vector<std::string> shots;
    std::ofstream all(options.out + "/tour.txt");
    for (int s = 0; s < TourSegmentCount(); ++s) {
        const std::string part = TourListPath(options.out, TourSegmentName(s));
        std::ifstream list(part);
        for (std::string line; std::getline(list, line);)
            if (!line.empty()) {
                shots.push_back(line);
                all << line << "\n";
            }
        std::filesystem::remove(part, ec);
    }
    if (!WriteContactSheet(options.out, shots, options.out + "/contact_sheet.png")) return 1;
    std::printf("screentour: %zu pictures and contact_sheet.png in %s\n", shots.size(), options.out.c_str());
    return failed ? 1 : 0;
}
