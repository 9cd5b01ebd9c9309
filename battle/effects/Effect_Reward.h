#pragma once
// The capsule after a won stage: it drops onto column 4 of the field, waits
// for the player's click, opens, and the stage's prize rises from it to the
// centre of the screen. Parameters 0-2: the capsule's point (y falls); 3-5:
// where it lands.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;

constexpr float REWARD_DROP_Y = 428.0f;
constexpr float REWARD_FALL_STEP = 3.0f;
constexpr int REWARD_OPEN_FRAMES = 50;
constexpr int REWARD_LEAVE_FRAMES = 60;

class CEffect_Reward : public CVxEffect, public BattleViewer {
public:
    CEffect_Reward();
    void OnStart(int index) override;
    void OnFrame(int index) override;
    // A click on the closed capsule opens it; true when it did.
    bool HandleClick();

    // Where the closed capsule's picture stands now.
    VxVec3 CapsulePoint() const;

    // 0 falling, 1 waiting for the click, 2 opening, 3 prize leaving, -1 finished.
    // Built at 0 so that a board that has not started yet is not taken as finished.
    int m_iRewardState = 0;
    CVxBillboard* m_pBadge = nullptr;  // owned: the frame of an upgraded card

private:
    VxVec3 PrizePoint(int age) const;
};
