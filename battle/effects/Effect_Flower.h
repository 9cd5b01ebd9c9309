#pragma once
// Petals drifting over the field.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_Flower : public CVxEffect {
public:
    CEffect_Flower() {
        m_nPoolSize = 20;
        m_iDefaultLife = 1200;
        Clear(0);
    }
    void OnFrame(int) override {}
};
