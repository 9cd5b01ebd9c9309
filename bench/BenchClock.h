#pragma once
// The clocks the benchmarks read: the whole process's CPU time (every thread,
// the software renderer's included) and the wall.
#include <time.h>

inline double ClockMs(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
inline double ProcessCpuMs() { return ClockMs(CLOCK_PROCESS_CPUTIME_ID); }
inline double WallMs() { return ClockMs(CLOCK_MONOTONIC); }
