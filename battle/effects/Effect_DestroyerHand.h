#pragma once
// A hand strike of the Destroyer (kind: hand index).
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_DestroyerHand : public CVxEffect {
public:
    CEffect_DestroyerHand() {
        m_nPoolSize = 2;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
    // 0 behind the robots, 1 in front: the pass the page ticks it in.
    int m_iLayer = 0;
};
