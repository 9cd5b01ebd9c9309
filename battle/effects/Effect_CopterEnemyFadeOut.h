#pragma once
// The copter of a beaten flying Machine rising off the top of the screen
// (kind: the Machine's animation offset; parameters: where it starts).
#include "engine/VxEffect.h"

class CEffect_CopterEnemyFadeOut : public CVxEffect {
public:
    CEffect_CopterEnemyFadeOut() {
        m_nPoolSize = 20;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override;
};
