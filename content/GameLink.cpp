#include "content/GameLink.h"

#include <atomic>

#include "engine/VxApplication.h"
#include "engine/VxPage.h"

namespace {

// Until the game application installs its own link: page questions go to the
// application object when there is one; no stage is in play beyond stage 1,
// there is no battle page and nothing announces achievements.
class CApplicationPagesLink : public CContentLink {
public:
    int CurrentPage() const override { return g_pApp ? g_pApp->m_iCurrentPage.load() : 0; }
    bool IsSwitchPending() const override { return g_pApp && g_pApp->m_bSwitchPending.load(); }
    int PendingPage() const override { return g_pApp ? g_pApp->m_iNewPage : -1; }
    int CurrentStage() const override { return 1; }
    const StageDefinition* BattleStageDefinition() const override { return nullptr; }
    const FieldCell* BattleFieldCells() const override { return nullptr; }
    void SetFieldGroundRow(int) override {}
    int CurrentSubScreen() const override {
        if (!g_pApp) return 0;
        int page = g_pApp->m_iCurrentPage.load();
        if (page < 0 || page >= g_pApp->m_nPages || !g_pApp->m_apPages[page]) return 0;
        return g_pApp->m_apPages[page]->m_iSubScreen;
    }
    int BattleState() const override { return 0; }
    CAchievementNotice* AchievementBoard() override { return nullptr; }
    CAchievementNotice* InGameAchievementNotice() override { return nullptr; }
};

CApplicationPagesLink g_defaultLink;
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
