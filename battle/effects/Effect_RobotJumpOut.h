#pragma once
// A robot thrown out of the field in a high spinning arc (kind: hand slot;
// parameters 0-2 the start point). Halfway it hands over to a paratrooper
// that drifts away, when one is free.
#include "battle/effects/BattleActor.h"
#include "engine/VxEffect.h"

class CEffect_RobotJumpOut : public CVxEffect, public BattleActor {
public:
    CEffect_RobotJumpOut() {
        m_nPoolSize = 10;
        m_iDefaultLife = 120;
        Clear(0);
    }
    void OnFrame(int index) override;
};
