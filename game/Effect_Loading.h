#pragma once
// The loading-screen effect: one endless record; the loading screen itself
// is drawn by the application.
#include "engine/VxEffect.h"

class CEffect_Loading : public CVxEffect {
public:
    CEffect_Loading() {
        m_nPoolSize = 1;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int) override {}
};
