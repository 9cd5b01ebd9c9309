#pragma once
// A smoke puff over a badly damaged unit.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_SmokeLowHP : public CVxEffect {
public:
    CEffect_SmokeLowHP() {
        m_nPoolSize = 500;
        m_iDefaultLife = 60;
        Clear(0);
    }
    void OnFrame(int) override {}
};
