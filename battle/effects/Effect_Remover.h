#pragma once
// A unit taken off the field by a remover or a cage (kind: removal code).
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_Remover : public CVxEffect {
public:
    CEffect_Remover() {
        m_nPoolSize = 10;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
};
