#pragma once
// The copter of a flying Machine falling away when it dies.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_CopterEnemyFadeOut : public CVxEffect {
public:
    CEffect_CopterEnemyFadeOut() {
        m_nPoolSize = 20;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
};
