#pragma once
// A robot of a hand card dropping in by parachute (kind: hand slot).
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_Paratrooper : public CVxEffect {
public:
    CEffect_Paratrooper() {
        m_nPoolSize = 30;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
    void HandleClick() {}
};
