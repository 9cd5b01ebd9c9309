#pragma once
// Snow flakes.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_Snow : public CVxEffect {
public:
    CEffect_Snow() {
        m_nPoolSize = 40;
        m_iDefaultLife = 480;
        Clear(0);
    }
    void OnFrame(int) override {}
};
