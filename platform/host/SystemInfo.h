#pragma once
// What the machine has: memory figures.
// A figure that cannot be found is -1 (unknown), never 0.
#include <cstdint>
#include <string>
#include <vector>

namespace host {

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual int64_t VideoMemoryBytes() = 0;
    virtual int64_t TotalMemoryKB() = 0;
};

// Reads /proc; video memory is reported by the graphics layer once it knows it.
class RealSystemInfo : public SystemInfo {
public:
    int64_t VideoMemoryBytes() override;
    int64_t TotalMemoryKB() override;
};

class FakeSystemInfo : public SystemInfo {
public:
    int64_t videoBytes = -1;
    int64_t totalKB = -1;
    int64_t VideoMemoryBytes() override { return videoBytes; }
    int64_t TotalMemoryKB() override { return totalKB; }
};

// The graphics layer records the video memory it can read from the driver.
void SetKnownVideoMemoryBytes(int64_t bytes);

SystemInfo& GetSystemInfo();
void SetSystemInfo(SystemInfo* info);  // nullptr restores the real one

}  // namespace host
