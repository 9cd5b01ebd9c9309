#pragma once
// A robot leaving the field with a jump (kind: hand slot).
#include "engine/VxEffect.h"

class CEffect_RobotJumpOut : public CVxEffect {
public:
    CEffect_RobotJumpOut() {
        m_nPoolSize = 10;
        m_iDefaultLife = 120;
        Clear(0);
    }
    void OnFrame(int index) override;
    // Draws the drawable at the point for 30 frames; nothing when the pool is full.
    void Spawn(CVxObject* drawable, float x, float y, float z, float p1, float p2);
};
