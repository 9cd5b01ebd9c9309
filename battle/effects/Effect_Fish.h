#pragma once
// Fish swimming across a lane of the third world (kind: the lane); they hurry
// once the Machines crowd the field, and breathe out bubbles now and then.
#include "battle/model/AmbientDraws.h"
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

constexpr int FISH_FRAMES = 8;

class CEffect_Fish : public CVxEffect, public BattleViewer {
public:
    CEffect_Fish();
    // A fish in the lane, with the numbers the battle rolled for it.
    int AddRolled(int lane, const FishRoll& roll);
    void OnStart(int index) override;
    void OnFrame(int index) override;

    struct Fish {
        int kind, direction, bubblePeriod;
        float speed;
        bool scared;
        float cameraAtStart;
    };
    CVxBillboard* m_apFrames[FISH_KINDS * FISH_FRAMES] = {};
    Fish m_aFish[AMBIENT_FISH] = {};
    FishRoll m_Roll;  // the one starting
};
