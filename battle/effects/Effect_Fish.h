#pragma once
// Fish swimming in a lane (kind: the lane).
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_Fish : public CVxEffect {
public:
    CEffect_Fish() {
        m_nPoolSize = 10;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
};
