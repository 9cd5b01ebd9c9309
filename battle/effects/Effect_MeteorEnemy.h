#pragma once
// Machines that arrive inside a meteor (kind: the Machine type): the meteor
// falls onto a ground cell in the middle of the field, the Machine is made
// there, and a robot standing on the spot is crushed.
#include "engine/VxEffect.h"

class CEffect_MeteorEnemy : public CVxEffect {
public:
    CEffect_MeteorEnemy() {
        m_nPoolSize = 20;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    // Picks the landing cell and the flight.
    void OnStart(int index) override;
    void OnFrame(int index) override;
    // No falling meteor is alive.
    bool IsIdle() const;
};
