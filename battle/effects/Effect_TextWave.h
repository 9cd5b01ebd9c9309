#pragma once
// The wave banner: kind 0 a wave, 1 the final wave.
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_TextWave : public CVxEffect {
public:
    CEffect_TextWave() {
        m_nPoolSize = 1;
        m_iDefaultLife = 180;
        Clear(0);
    }
    void OnFrame(int index) override;

private:
    CVxBillboard* m_apStrip[2] = {};  // a wave, the final wave
};
