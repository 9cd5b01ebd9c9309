#pragma once
// Snow falling over the fourth world; it drives sideways in the third episode.
#include "battle/model/AmbientDraws.h"
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_Snow : public CVxEffect, public BattleViewer {
public:
    CEffect_Snow();
    // A flake at the point, with the number the battle rolled for it.
    int AddRolled(float x, float y, float z, const SnowRoll& roll);
    void OnStart(int index) override;
    void OnFrame(int index) override;

    CVxBillboard* m_pPicture = nullptr;
    int m_aiRoll[AMBIENT_SNOW] = {};
    SnowRoll m_Roll;  // the one starting
};
