#pragma once
// Sand blown over the field.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_SandWind : public CVxEffect {
public:
    CEffect_SandWind() {
        m_nPoolSize = 10;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
};
