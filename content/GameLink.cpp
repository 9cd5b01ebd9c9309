#include "content/GameLink.h"

#include <atomic>

namespace {
CFixedContentLink g_defaultLink;
std::atomic<CContentLink*> g_pLink{nullptr};
}  // namespace

void SetContentLink(CContentLink* link) { g_pLink.store(link, std::memory_order_release); }

CContentLink& GetContentLink() {
    CContentLink* link = g_pLink.load(std::memory_order_acquire);
    return link ? *link : g_defaultLink;
}

bool IsBattlePageCurrent(bool countPendingSwitch) {
    const CContentLink& link = GetContentLink();
    if (link.CurrentPage() == BATTLE_PAGE_INDEX) return true;
    return countPendingSwitch && link.IsSwitchPending() && link.PendingPage() == BATTLE_PAGE_INDEX;
}
