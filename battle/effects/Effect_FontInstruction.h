#pragma once
// One line of placement or hint text across the bottom of the screen.
// Until its board is drawn, a started record ends at once, so nothing waits on it.
#include "engine/VxEffect.h"

class CEffect_FontInstruction : public CVxEffect {
public:
    CEffect_FontInstruction() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override { Clear(index); }
    void ShowClickToContinue() {}
};
