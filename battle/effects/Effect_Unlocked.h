#pragma once
// The board after a won stage that shows what clearing it unlocks (a robot
// upgrade, a laboratory item, a game feature) or, when it unlocks nothing,
// the metal parts it pays. Record kind 0 slides the board in, 1 out; the
// unlocks and the reward are written into the profile once it has left.
#include <cstdint>

#include "battle/effects/Effect_ItemTransToInterface.h"  // METAL_PARTS_CAP
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;

constexpr int UNLOCKED_BOARD_SLOT = 0;
constexpr float UNLOCKED_REST_Y = 40.0f;
constexpr float UNLOCKED_START_Y = 675.0f;
// The frame behind a robot card whose upgrade a stage makes available.
constexpr const char* UPGRADE_FRAME_PICTURE = "Bbd_UpgradeFrame.png";
constexpr const char* UPGRADE_FRAME_FOLDER = "Resource\\Menu\\";

// The metal parts a stage pays by its episode and area (0 outside the table).
int MetalPartsRewardForStage(int stage);
// The same for the stage in play.
int GetMetalPartsReward();
// The stage in play is the furthest reached and clearing it unlocks something.
bool HasStageUnlocks();
// Writes the stage's unlocks (only when it is the furthest reached) and, when
// it unlocks nothing, its reward into the live profile.
void ApplyStageResults(int stage);

class CEffect_Unlocked : public CVxEffect, public BattleViewer {
public:
    CEffect_Unlocked();
    void OnFrame(int index) override;
    void HandleClick();

    VxVec3 m_vBoardPos{0.0f, UNLOCKED_START_Y, 0.0f};
    uint8_t m_bBoardDrawn = 0;
    CVxBillboard* m_pUpgradeFrame = nullptr;  // owned

private:
    void DrawFixedLayer(float y) const;
};
