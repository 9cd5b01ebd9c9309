#pragma once
// The glow that pulses over a hand card once it has charged: a record of
// kind n pulses once for 15 frames and hands over to a record of kind n - 1.
#include "engine/VxEffect.h"

class CEffect_CardFull : public CVxEffect {
public:
    CEffect_CardFull() {
        m_nPoolSize = 20;
        m_iDefaultLife = 15;
        Clear(0);
    }
    void OnFrame(int index) override;
};
