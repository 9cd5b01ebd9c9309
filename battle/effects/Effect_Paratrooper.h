#pragma once
// Robots of hand cards hanging from parachutes (SkyDrops.h): on stage 177
// they float down to the carriers, on 171 they drift off after a throw. The
// battle flies them; this draws each parachute and the card under it where
// the battle's frame left them, and sounds a cut.
#include "battle/effects/BattleReader.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;
class CVxSound;

class CEffect_Paratrooper : public CVxEffect, public BattleReader {
public:
    CEffect_Paratrooper();
    void Tick() override;
    void OnFrame(int) override {}
    // Stage 171: the parachute over a robot of that hand slot standing on the
    // field, where a hanging record of the card would draw it.
    void DrawParachuteOver(const VxVec3& robot, int slot) const;
    const CVxBillboard* Parachute() const { return m_pParachute; }

    CVxSound* m_pSfxCut = nullptr;

private:
    CVxBillboard* m_pParachute = nullptr;
};
