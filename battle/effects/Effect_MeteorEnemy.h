#pragma once
// The meteors that bring Machines (world 5): the battle flies them
// (SkyDrops.h) and this shows each where it is, and sounds its start and
// landing.
#include "battle/effects/BattleReader.h"
#include "engine/VxEffect.h"

class CEffect_Meteor;
class CVxBillboard;
class CVxSound;

class CEffect_MeteorEnemy : public CVxEffect, public BattleReader {
public:
    // Borrows the ambient meteors' picture in the world that shows them.
    explicit CEffect_MeteorEnemy(const CEffect_Meteor* meteor);
    // Draws every falling meteor of the battle, before the battle moves it on.
    void Tick() override;
    void OnFrame(int) override {}

    CVxBillboard* m_pMeteor = nullptr;  // the ambient meteors' picture, borrowed
    CVxSound* m_pSfxStart = nullptr;
    CVxSound* m_pSfxLanding = nullptr;
};
