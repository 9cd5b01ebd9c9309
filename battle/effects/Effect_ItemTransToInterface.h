#pragma once
// An item's picture flying to its counter on the HUD (30 px a frame); the
// battle pays it out on arrival (ItemPayout.h). Kind: the item's kind;
// parameters 0-2: where it was picked up.
#include "battle/effects/BattleActor.h"
#include "battle/model/BattleView.h"
#include "battle/model/ItemPayout.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CBattleModel;
class CVxBillboard;

// Frames of a flight from one point to another (x and y only).
int ItemFlightFrames(float fromX, float fromY, float toX, float toY);

class CEffect_ItemTransToInterface : public CVxEffect, public BattleViewer, public BattleActor {
public:
    CEffect_ItemTransToInterface() {
        m_nPoolSize = 30;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override;

    // Where a flight of the kind ends this frame (a capsule's needs the battle).
    static VxVec3 Target(int kind, const CBattleModel* battle = nullptr);
};
