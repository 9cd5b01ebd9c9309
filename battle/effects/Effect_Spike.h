#pragma once
// Five spikes bursting from a spiked cell the first time a unit clears it.
#include "battle/model/AmbientDraws.h"
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CEffect_Spike : public CVxEffect, public BattleViewer {
public:
    CEffect_Spike() {
        m_nPoolSize = AMBIENT_SPIKES;
        m_iDefaultLife = SPIKE_LIFE;
        Clear(0);
    }
    // A burst at the point, with the heights and hold the battle rolled.
    int AddRolled(float x, float y, float z, const SpikeRoll& roll);
    // Plays the burst's sound and takes its heights and short hold.
    void OnStart(int index) override;
    void OnFrame(int index) override;

    SpikeRoll m_Roll;  // the one starting
};
