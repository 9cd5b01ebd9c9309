#pragma once
// Gusts of sand blowing across the second world.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_SandWind : public CVxEffect, public BattleViewer {
public:
    CEffect_SandWind();
    void OnStart(int index) override;
    void OnFrame(int index) override;

    struct Gust {
        float speedX, speedY, alpha, scale;
    };
    CVxBillboard* m_pPicture = nullptr;
    Gust m_aGusts[10] = {};
};
