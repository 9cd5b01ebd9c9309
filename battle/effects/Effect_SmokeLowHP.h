#pragma once
// A smoke puff rising from a badly damaged unit.
#include "engine/VxEffect.h"

class CEffect_SmokeLowHP : public CVxEffect {
public:
    CEffect_SmokeLowHP() {
        m_nPoolSize = 500;
        m_iDefaultLife = 60;
        Clear(0);
    }
    void OnFrame(int index) override;
};
