#pragma once
// The story board of an area, shown on its first stage.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_MapStory : public CVxEffect {
public:
    CEffect_MapStory() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
    void HandleClick() {}
};
