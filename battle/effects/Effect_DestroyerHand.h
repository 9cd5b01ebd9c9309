#pragma once
// A hand strike of the Destroyer bosses (kind: the hand, 0 or 1; parameters:
// column and row of the target cell). A target mark spins on the cell for
// three seconds, then a giant hand slides in along the row, grabs the robots
// at the cell centre and slides back out.
#include "battle/effects/BattleActor.h"
#include "engine/VxEffect.h"

class CEffect_DestroyerHand : public CVxEffect, public BattleActor {
public:
    CEffect_DestroyerHand() {
        m_nPoolSize = 2;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override;
    // The pass this tick serves: 0 behind the robots,
    // 1 in front. A record advances once a frame whichever pass draws it.
    int m_iLayer = 0;

    // Frames of the slide in (and out) to a cell: the distance over 30.
    static int TravelFrames(float fromX, float fromY, float toX, float toY);
};
