#pragma once
// An item's picture flying to the counters; it credits the item on arrival.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_ItemTransToInterface : public CVxEffect {
public:
    CEffect_ItemTransToInterface() {
        m_nPoolSize = 30;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
};
