#pragma once
// Green balls rolling along the bottom row of the second world.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_GreenBall : public CVxEffect, public BattleViewer {
public:
    CEffect_GreenBall();
    void OnStart(int index) override;
    void OnFrame(int index) override;

    CVxBillboard* m_pPicture = nullptr;
    float m_afSpeed[10] = {};
};
