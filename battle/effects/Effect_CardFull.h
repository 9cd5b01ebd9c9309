#pragma once
// The flash over a hand card that has charged.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_CardFull : public CVxEffect {
public:
    CEffect_CardFull() {
        m_nPoolSize = 20;
        m_iDefaultLife = 15;
        Clear(0);
    }
    void OnFrame(int) override {}
};
