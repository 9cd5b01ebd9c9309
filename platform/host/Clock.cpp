#include "platform/host/Clock.h"

#include <chrono>
#include <thread>

namespace host {

int64_t RealClock::Ticks() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

uint32_t RealClock::Milliseconds() { return uint32_t(Ticks() / 1000000); }

void RealClock::SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

namespace {
RealClock g_realClock;
std::atomic<Clock*> g_clock{&g_realClock};
}  // namespace

Clock& GetClock() { return *g_clock.load(); }
void SetClock(Clock* clock) { g_clock.store(clock ? clock : &g_realClock); }

}  // namespace host
