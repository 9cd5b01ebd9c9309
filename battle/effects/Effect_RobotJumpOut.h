#pragma once
// A robot leaving the field with a jump (kind: hand slot).
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CVxObject;

class CEffect_RobotJumpOut : public CVxEffect {
public:
    CEffect_RobotJumpOut() {
        m_nPoolSize = 10;
        m_iDefaultLife = 120;
        Clear(0);
    }
    void OnFrame(int) override {}
    // A kind-0 record at the point that shows the drawable; nothing when the pool is full.
    int Spawn(CVxObject* /*drawable*/, float x, float y, float z, float p1, float p2) {
        return Add(0, x, y, z, p1, p2);
    }
};
