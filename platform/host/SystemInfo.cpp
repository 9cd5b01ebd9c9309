#include "platform/host/SystemInfo.h"

#include <dirent.h>

#include <atomic>
#include <cctype>
#include <fstream>
#include <sstream>

namespace host {

namespace {
std::atomic<int64_t> g_videoBytes{-1};
}

std::vector<std::string> RealSystemInfo::ProcessNames() {
    std::vector<std::string> names;
    DIR* dir = opendir("/proc");
    if (!dir) return names;
    while (dirent* e = readdir(dir)) {
        if (!std::isdigit(static_cast<unsigned char>(e->d_name[0]))) continue;
        // A process that has ended but not been reaped still has its name;
        // it runs nothing and must not count as a running copy.
        std::ifstream stat(std::string("/proc/") + e->d_name + "/stat");
        std::string fields;
        if (!stat || !std::getline(stat, fields)) continue;
        const size_t close = fields.rfind(')');
        if (close == std::string::npos || close + 2 >= fields.size()) continue;
        const char state = fields[close + 2];
        if (state == 'Z' || state == 'X') continue;
        std::ifstream comm(std::string("/proc/") + e->d_name + "/comm");
        std::string name;
        if (comm && std::getline(comm, name)) names.push_back(name);
    }
    closedir(dir);
    return names;
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
