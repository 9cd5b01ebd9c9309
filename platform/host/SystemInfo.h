#pragma once
// What the machine has: running processes and memory figures.
// A figure that cannot be found is -1 (unknown), never 0.
#include <cstdint>
#include <string>
#include <vector>

namespace host {

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // Names of running processes as the system reports them (one per process).
    virtual std::vector<std::string> ProcessNames() = 0;
    virtual int64_t VideoMemoryBytes() = 0;
    virtual int64_t TotalMemoryKB() = 0;
};

// Reads /proc; video memory is reported by the graphics layer once it knows it.
class RealSystemInfo : public SystemInfo {
public:
    std::vector<std::string> ProcessNames() override;
    int64_t VideoMemoryBytes() override;
    int64_t TotalMemoryKB() override;
};

class FakeSystemInfo : public SystemInfo {
public:
    std::vector<std::string> processes;
    int64_t videoBytes = -1;
    int64_t totalKB = -1;
    std::vector<std::string> ProcessNames() override { return processes; }
    int64_t VideoMemoryBytes() override { return videoBytes; }
    int64_t TotalMemoryKB() override { return totalKB; }
};

// The graphics layer records the video memory it can read from the driver.
void SetKnownVideoMemoryBytes(int64_t bytes);

SystemInfo& GetSystemInfo();
void SetSystemInfo(SystemInfo* info);  // nullptr restores the real one

}  // namespace host
