#pragma once
// The burst of spikes from a cell whose spikes are cleared.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_Spike : public CVxEffect {
public:
    CEffect_Spike() {
        m_nPoolSize = 50;
        m_iDefaultLife = 30;
        Clear(0);
    }
    void OnFrame(int) override {}
};
