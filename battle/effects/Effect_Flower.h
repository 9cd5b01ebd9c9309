#pragma once
// Petals drifting over the field of the first world.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_Flower : public CVxEffect, public BattleViewer {
public:
    CEffect_Flower();
    void OnStart(int index) override;
    void OnFrame(int index) override;

    CVxBillboard* m_pPicture = nullptr;
    float m_afSpeed[20] = {};
};
