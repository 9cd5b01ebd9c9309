#pragma once
// The end-of-stage board of the battle page. Record 0 lives while it is open;
// its kind is 1 for a won stage.
#include "engine/VxEffect.h"

class CEffect_Summary : public CVxEffect {
public:
    CEffect_Summary() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    }
    void OnFrame(int) override {}
    void HandleClick() {}

    // Open with a won result and the player has not picked next, retry or menu yet.
    bool IsWonAwaitingChoice() const { return m_aInstances[0].life > 0 && m_aInstances[0].kind == 1 && !m_bChoiceMade; }

    int m_iStars = 0;  // 0 to 3, set by the battle before the board starts
    bool m_bChoiceMade = false;
    int m_iChosenStage = 1;  // the stage the player's choice leads to
    int m_iSwitchCode = 0;   // page-switch code of the move the board holds
};
