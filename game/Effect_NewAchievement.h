#pragma once
// The board that announces new achievements, one at a time from a queue.
#include <vector>

#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_NewAchievement : public CVxEffect {
public:
    CEffect_NewAchievement() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    ~CEffect_NewAchievement() override;
    void OnFrame(int) override {}

    // Closes the board at once and forgets the queue. The showing flag goes
    // too: pages wait for it before taking input, and no slide-out will come
    // to clear it any more.
    void ResetBoard();

    bool m_bShowing = false;
    bool m_bPictureCached = false;
    std::vector<int> m_lstPending;
    CVxBillboard* m_pPicture = nullptr;  // owned
};
