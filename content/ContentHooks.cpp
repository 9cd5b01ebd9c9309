#include "content/ContentHooks.h"

#include <atomic>

namespace {
CFixedContentHooks g_defaultHooks;
std::atomic<CContentHooks*> g_pHooks{nullptr};
}  // namespace

void SetContentHooks(CContentHooks* hooks) { g_pHooks.store(hooks, std::memory_order_release); }

CContentHooks& GetContentHooks() {
    CContentHooks* hooks = g_pHooks.load(std::memory_order_acquire);
    return hooks ? *hooks : g_defaultHooks;
}
