#pragma once
// The board that announces the robot a won stage unlocks. The robot becomes
// unlocked in the profile only once the board has slid away.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CEffect_NewRobot : public CVxEffect, public BattleViewer {
public:
    CEffect_NewRobot();

    void OnFrame(int index) override;
    // Every frame of the battle's unlock state while there is a robot to show.
    void HandleClick();

    VxVec3 m_vBoardPos;
    bool m_bBoardRendered = false;

private:
    // Laid out around (0, oy).
    void DrawContent(float oy);
};
