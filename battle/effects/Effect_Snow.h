#pragma once
// Snow falling over the fourth world; it drives sideways in the third episode.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_Snow : public CVxEffect, public BattleViewer {
public:
    CEffect_Snow();
    void OnStart(int index) override;
    void OnFrame(int index) override;

    CVxBillboard* m_pPicture = nullptr;
    int m_aiRoll[40] = {};
};
