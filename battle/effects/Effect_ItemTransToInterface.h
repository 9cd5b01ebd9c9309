#pragma once
// An item's picture flying to its counter on the HUD (30 px a frame); its
// value is credited on arrival. Kind: the item's kind; parameters 0-2: where
// it was picked up.
#include "battle/effects/BattleActor.h"
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CBattleModel;
class CVxBillboard;

// The battle's energy never passes this after a collection.
constexpr int ENERGY_CAP = 9990;
// A profile's metal parts never pass this.
constexpr int METAL_PARTS_CAP = 999990;

// What an item of the kind is worth: energy for kinds 0-3, metal parts for
// 4-7, else 0.
int ItemCredit(int kind);
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
    // Adds the item's value where it belongs, with the caps and the
    // achievements it counts toward.
    static void Credit(int kind, CBattleModel* battle);
};
