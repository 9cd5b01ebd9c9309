#pragma once
// The board that shows what clearing the stage unlocked.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_Unlocked : public CVxEffect {
public:
    CEffect_Unlocked() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
    void HandleClick() {}
};
