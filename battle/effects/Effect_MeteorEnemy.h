#pragma once
// Machines that arrive inside a meteor (kind: Machine type).
#include "engine/VxEffect.h"

class CEffect_MeteorEnemy : public CVxEffect {
public:
    CEffect_MeteorEnemy() {
        m_nPoolSize = 20;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override;
    void OnStart(int index) override;
    // No falling meteor is alive.
    bool IsIdle() const;
};
