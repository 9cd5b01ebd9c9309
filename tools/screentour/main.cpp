// screentour --out DIR [--only NAME,...]: drives the real game in its window
// through every screen, board and box a player can meet, writes one PNG each
// into DIR and one contact sheet of them all (DIR/contact_sheet.png). Run it
// from the folder holding DATA. --only takes shot names or their beginnings
// ("front_title", "stage12_", "mini"). The parts run one process each
// (--segment N, for the tool's own use).
#include <unistd.h>

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
    std::fprintf(stderr, "usage: screentour --out DIR [--only NAME,...]\n");
    return 2;
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
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
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) options.out = argv[++i];
        else if (arg == "--only" && i + 1 < argc) onlyText = argv[++i];
        else if (arg == "--segment" && i + 1 < argc) segment = std::atoi(argv[++i]);
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
    std::filesystem::remove(options.out + "/tour.txt", ec);
    const std::string self = SelfPath(argv[0]);
    int failed = 0;
    for (int s = 0; s < TourSegmentCount(); ++s) {
        if (!TourSegmentWanted(s, options)) continue;
        std::string command = Quote(self) + " --out " + Quote(options.out) + " --segment " + std::to_string(s);
        if (!onlyText.empty()) command += " --only " + Quote(onlyText);
        std::fprintf(stderr, "screentour: %s\n", TourSegmentName(s));
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "screentour: %s failed\n", TourSegmentName(s));
            ++failed;
        }
    }
    std::vector<std::string> shots;
    std::ifstream list(options.out + "/tour.txt");
    for (std::string line; std::getline(list, line);)
        if (!line.empty()) shots.push_back(line);
    if (!WriteContactSheet(options.out, shots, options.out + "/contact_sheet.png")) return 1;
    std::printf("screentour: %zu pictures and contact_sheet.png in %s\n", shots.size(), options.out.c_str());
    return failed ? 1 : 0;
}
