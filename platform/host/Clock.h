#pragma once
// Monotonic time and sleeping. The real clock reads the system's steady clock;
// the virtual clock only moves when told to (or when someone sleeps on it), so
// headless runs never wait and always see the same times.
#include <atomic>
#include <cstdint>

namespace host {

class Clock {
public:
    virtual ~Clock() = default;
    // High-resolution counter and its rate (the frame gate's time base).
    virtual int64_t Ticks() = 0;
    virtual int64_t TicksPerSecond() = 0;
    // Milliseconds since an arbitrary start, wrapping at 2^32.
    virtual uint32_t Milliseconds() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
};

class RealClock : public Clock {
public:
    int64_t Ticks() override;
    int64_t TicksPerSecond() override { return 1000000000; }
    uint32_t Milliseconds() override;
    void SleepMs(uint32_t ms) override;
};

class VirtualClock : public Clock {
public:
    int64_t Ticks() override { return m_nanos.load(); }
    int64_t TicksPerSecond() override { return 1000000000; }
    uint32_t Milliseconds() override { return uint32_t(m_nanos.load() / 1000000); }
    // Sleeping moves virtual time forward instead of waiting.
    void SleepMs(uint32_t ms) override { Advance(int64_t(ms) * 1000000); }
    void Advance(int64_t nanos) { m_nanos.fetch_add(nanos); }
    void AdvanceSeconds(double s) { Advance(int64_t(s * 1e9)); }
    void Set(int64_t nanos) { m_nanos.store(nanos); }

private:
    std::atomic<int64_t> m_nanos{0};
};

// The clock everybody uses; the real one unless a test installs another.
Clock& GetClock();
void SetClock(Clock* clock);  // nullptr restores the real clock

inline void Sleep(uint32_t ms) { GetClock().SleepMs(ms); }

}  // namespace host
