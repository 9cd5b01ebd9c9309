// Opening DATA, indexing it and extracting every entry, against Info-ZIP's
// `unzip -p` on the same file, compared by CPU time: ours is this process's,
// unzip's that of the child (and its shell) as the kernel counts it, so the
// child's start and the pipe's waits count for neither. DATA is taken from
// $CSQ_DATA, the working directory or the build folder above this program.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "platform/ResourceArchive.h"
#include "platform/ZipPassword.h"
#include "platform/host/Headless.h"
#include "bench/BenchClock.h"

namespace {

bool Exists(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

// User and system time of the waited-for children so far.
double ChildrenCpuMs() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

std::string DataPath() {
    if (const char* env = std::getenv("CSQ_DATA")) return env;
    if (Exists("DATA")) return "DATA";
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        std::string dir(self, static_cast<size_t>(n));
        dir = dir.substr(0, dir.rfind('/'));
        return dir.substr(0, dir.rfind('/')) + "/DATA";
    }
    return "DATA";
}

// Opens, lists, indexes and extracts every file entry by its name; answers the bytes read.
size_t ExtractAllOurs(const std::string& path) {
    ResourceArchive archive;
    archive.OpenResourceArchive(path);
    size_t total = 0;
    for (const ZipEntry& entry : archive.m_lstArchiveEntries) {
        std::string name = Utf16ToUtf8(entry.name);
        if (name.empty() || name.back() == '/') continue;
        for (char& c : name)
            if (c == '/') c = '\\';
        uint32_t size = 0;
        void* block = nullptr;
        if (archive.UnzipItem(name.c_str(), &size, &block, 1)) total += size;
        std::free(block);
    }
    return total;
}

size_t ExtractAllUnzip(const std::string& path) {
    std::string command = std::string("unzip -qq -P '") + kZipPassword + "' -p '" + path + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return 0;
    static char buffer[1 << 16];
    size_t total = 0, n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) total += n;
    pclose(pipe);
    return total;
}

void BM_OpenIndexExtractAll(benchmark::State& state) {
    host::HeadlessHost headless;
    std::string path = DataPath();
    if (!Exists(path)) {
        state.SkipWithError("DATA not found: build the project first or set CSQ_DATA");
        return;
    }
    size_t bytes = 0;
    for (auto _ : state) bytes = ExtractAllOurs(path);
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_OpenIndexExtractAll)->Unit(benchmark::kMillisecond);

// Both in one run, alternating; "ratio" is our CPU time over unzip's (below 1 means cheaper).
void BM_OursAgainstUnzip(benchmark::State& state) {
    host::HeadlessHost headless;
    std::string path = DataPath();
    if (!Exists(path) || std::system("command -v unzip >/dev/null 2>&1") != 0) {
        state.SkipWithError("needs DATA and the unzip program");
        return;
    }
    double ours = 0, theirs = 0;
    size_t oursBytes = 0, theirBytes = 0;
    for (auto _ : state) {
        const double own0 = ProcessCpuMs();
        oursBytes = ExtractAllOurs(path);
        const double own1 = ProcessCpuMs(), child0 = ChildrenCpuMs();
        theirBytes = ExtractAllUnzip(path);
        ours += own1 - own0;
        theirs += ChildrenCpuMs() - child0;
    }
    double runs = static_cast<double>(state.iterations());
    state.counters["ours_cpu_ms"] = ours / runs;
    state.counters["unzip_cpu_ms"] = theirs / runs;
    state.counters["ratio"] = theirs > 0 ? ours / theirs : 0;
    state.counters["same_bytes"] = oursBytes == theirBytes ? 1 : 0;
}
BENCHMARK(BM_OursAgainstUnzip)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
