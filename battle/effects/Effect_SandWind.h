#pragma once
// Gusts of sand blowing across the second world.
#include "battle/model/AmbientDraws.h"
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_SandWind : public CVxEffect, public BattleViewer {
public:
    CEffect_SandWind();
    // A gust from the left edge, with the numbers the battle rolled for it.
    int AddRolled(const SandWindRoll& roll);
    void OnStart(int index) override;
    void OnFrame(int index) override;

    struct Gust {
        float speedX, speedY, alpha, scale;
    };
    CVxBillboard* m_pPicture = nullptr;
    Gust m_aGusts[AMBIENT_SAND_WINDS] = {};
    SandWindRoll m_Roll;  // the one starting
};
