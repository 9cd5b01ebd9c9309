#pragma once
// Robots of hand cards dropping in by parachute (kind: hand slot; parameters
// 0-2 the start point). On stage 177 they float down and land on a free
// carrier or are lost; a click on the parachute or a Machine's touch cuts
// them loose. On stage 171 they drift off the field after a jump-out.
#include "battle/effects/BattleActor.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;
class CVxSound;

constexpr int PARATROOPER_POOL = 30;

class CEffect_Paratrooper : public CVxEffect, public BattleActor {
public:
    CEffect_Paratrooper();
    void OnStart(int index) override;
    void OnFrame(int index) override;
    // Cuts at most one parachute a call (the highest record first): by the
    // player's new press, or by a Machine that touches it. Nothing on 171.
    void HandleClick();
    // Stage 171: the parachute over a robot of that hand slot standing on the
    // field, where a hanging record of the card would draw it.
    void DrawParachuteOver(const VxVec3& robot, int slot) const;
    const CVxBillboard* Parachute() const { return m_pParachute; }

    // -1 free, 0 hanging, 1 cut or landed (the empty parachute flies off).
    int m_aiState[PARATROOPER_POOL];
    VxVec3 m_avRobot[PARATROOPER_POOL];
    VxVec3 m_avPicture[PARATROOPER_POOL];
    int m_aiWidth[PARATROOPER_POOL];

private:
    // Drops the robot of record i where it hangs; answers its serial or -1.
    int Release(int index);
    CVxBillboard* m_pParachute = nullptr;
    CVxSound* m_pSfxCut = nullptr;
};
