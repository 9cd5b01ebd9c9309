#pragma once
// Machines that arrive inside a meteor (kind: the Machine type): the meteor
// falls onto a ground cell in the middle of the field, the Machine is made
// there, and a robot standing on the spot is crushed.
#include "battle/effects/BattleActor.h"
#include "engine/VxEffect.h"

class CEffect_Meteor;
class CVxBillboard;
class CVxSound;

class CEffect_MeteorEnemy : public CVxEffect, public BattleActor {
public:
    // Borrows the ambient meteors' picture in the world that shows them.
    explicit CEffect_MeteorEnemy(const CEffect_Meteor* meteor);
    // Picks the landing cell and the flight.
    void OnStart(int index) override;
    void OnFrame(int index) override;
    // No falling meteor is alive.
    bool IsIdle() const;

    CVxBillboard* m_pMeteor = nullptr;  // the ambient meteors' picture, borrowed
    CVxSound* m_pSfxStart = nullptr;
    CVxSound* m_pSfxLanding = nullptr;
};
