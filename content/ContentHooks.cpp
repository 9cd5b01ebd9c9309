#include "content/ContentHooks.h"

namespace {
CFixedContentHooks g_defaultHooks;
CContentHooks* g_pHooks = nullptr;
}  // namespace

void SetContentHooks(CContentHooks* hooks) { g_pHooks = hooks; }

CContentHooks& GetContentHooks() { return g_pHooks ? *g_pHooks : g_defaultHooks; }
