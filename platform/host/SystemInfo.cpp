#include "platform/host/SystemInfo.h"

#include <atomic>
#include <cctype>
#include <fstream>
#include <sstream>

namespace host {

namespace {
std::atomic<int64_t> g_videoBytes{-1};
}

int64_t RealSystemInfo::VideoMemoryBytes() { return g_videoBytes.load(); }

int64_t RealSystemInfo::TotalMemoryKB() {
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        if (line.rfind("MemTotal:", 0) == 0) {
            std::istringstream in(line.substr(9));
            int64_t kb = -1;
            if (in >> kb) return kb;
        }
    }
    return -1;
}

void SetKnownVideoMemoryBytes(int64_t bytes) { g_videoBytes.store(bytes); }

namespace {
RealSystemInfo g_realInfo;
std::atomic<SystemInfo*> g_info{&g_realInfo};
}  // namespace

SystemInfo& GetSystemInfo() { return *g_info.load(); }
void SetSystemInfo(SystemInfo* info) { g_info.store(info ? info : &g_realInfo); }

}  // namespace host
