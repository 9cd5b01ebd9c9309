#pragma once
// The board that announces new achievements, one at a time from a queue.
#include <vector>

#include "content/GameLink.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_NewAchievement : public CVxEffect, public CAchievementNotice {
public:
    CEffect_NewAchievement() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    ~CEffect_NewAchievement() override;
    void OnFrame(int) override {}

    bool IsRecordAlive() const override { return m_aInstances[0].life > 0; }
    void AppendPending(int index) override { m_lstPending.push_back(index); }
    void StartRecord(int index) override { Start(0, index); }

    // Closes the board at once and forgets the queue. The showing flag goes
    // too: pages wait for it before taking input, and no slide-out will come
    // to clear it any more.
    void ResetBoard();

    bool m_bShowing = false;
    bool m_bPictureCached = false;
    std::vector<int> m_lstPending;
    CVxBillboard* m_pPicture = nullptr;  // owned
};
