#pragma once
// Green balls rolling along the bottom row of the second world.
#include "battle/model/AmbientDraws.h"
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_GreenBall : public CVxEffect, public BattleViewer {
public:
    CEffect_GreenBall();
    // A ball from the left edge, with the speed the battle rolled for it.
    int AddRolled(const GreenBallRoll& roll);
    void OnStart(int index) override;
    void OnFrame(int index) override;

    CVxBillboard* m_pPicture = nullptr;
    float m_afSpeed[AMBIENT_GREEN_BALLS] = {};
    GreenBallRoll m_Roll;  // the one starting
};
