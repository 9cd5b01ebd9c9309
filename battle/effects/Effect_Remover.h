#pragma once
// A unit lifted off the field by the robot or Machine that removes it (kind:
// the removal code: the unit's hand card or 1000 + its Machine slot, plus
// 10000 for a recycler and 20000 for the Capsule Cage).
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_Remover : public CVxEffect, public BattleViewer {
public:
    CEffect_Remover();
    void OnFrame(int index) override;

    CVxBillboard* m_pMineOverlay = nullptr;  // over an upgraded Mini-Mine
};
