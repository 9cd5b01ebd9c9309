#pragma once
// Five spikes bursting from a spiked cell the first time a unit clears it.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CEffect_Spike : public CVxEffect, public BattleViewer {
public:
    CEffect_Spike() {
        m_nPoolSize = 50;
        m_iDefaultLife = 30;
        Clear(0);
    }
    // Plays the burst and rolls the heights and the short hold.
    void OnStart(int index) override;
    void OnFrame(int index) override;
};
