#pragma once
// A cross at a refused point.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_Cross : public CVxEffect {
public:
    CEffect_Cross() {
        m_nPoolSize = 5;
        m_iDefaultLife = 80;
        Clear(0);
    }
    void OnFrame(int) override {}
};
