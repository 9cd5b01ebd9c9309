#pragma once
// Petals drifting over the field of the first world.
#include "battle/model/AmbientDraws.h"
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_Flower : public CVxEffect, public BattleViewer {
public:
    CEffect_Flower();
    // A petal at the point, with the numbers the battle rolled for it.
    int AddRolled(float x, float y, float z, const FlowerRoll& roll);
    void OnStart(int index) override;
    void OnFrame(int index) override;

    CVxBillboard* m_pPicture = nullptr;
    float m_afSpeed[AMBIENT_FLOWERS] = {};
    FlowerRoll m_Roll;  // the one starting
};
