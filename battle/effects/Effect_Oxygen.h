#pragma once
// Oxygen bubbles rising in the water.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_Oxygen : public CVxEffect {
public:
    CEffect_Oxygen() {
        m_nPoolSize = 20;
        m_iDefaultLife = 180;
        Clear(0);
    }
    void OnFrame(int) override {}
};
