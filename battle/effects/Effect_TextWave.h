#pragma once
// The wave banner: kind 0 a wave, 1 the final wave.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_TextWave : public CVxEffect {
public:
    CEffect_TextWave() {
        m_nPoolSize = 1;
        m_iDefaultLife = 180;
        Clear(0);
    }
    void OnFrame(int) override {}
};
