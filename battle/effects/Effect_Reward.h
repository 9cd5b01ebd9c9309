#pragma once
// The capsule reward board after a won stage.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_Reward : public CVxEffect {
public:
    CEffect_Reward() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override {
        m_iRewardState = -1;
        Clear(index);
    }
    // 0 falling, 1 waiting for the click, 2 opening, 3 prize leaving, -1 finished.
    // Built at 0 so that a board that has not started yet is not taken as finished.
    int m_iRewardState = 0;
    void OnStart(int) override { m_iRewardState = 0; }
    void HandleClick() {}
};
