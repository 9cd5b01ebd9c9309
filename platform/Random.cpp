#include "platform/Random.h"

#include <atomic>

namespace {
// Atomic so a draw on the loader thread never races one on the main thread.
std::atomic<uint32_t> g_state{1};
}  // namespace

void VxSrand(uint32_t seed) { g_state.store(seed, std::memory_order_relaxed); }

int VxRand() {
    uint32_t s = g_state.load(std::memory_order_relaxed);
    uint32_t next;
    do {
        next = s * 214013u + 2531011u;
    } while (!g_state.compare_exchange_weak(s, next, std::memory_order_relaxed));
    return int((next >> 16) & 0x7FFF);
}

uint32_t VxRandState() { return g_state.load(std::memory_order_relaxed); }
