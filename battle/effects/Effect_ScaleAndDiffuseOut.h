#pragma once
// Copies of a picture that grow and fade out.
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_ScaleAndDiffuseOut : public CVxEffect {
public:
    CEffect_ScaleAndDiffuseOut() {
        m_nPoolSize = 10;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
        Clear(0);
    }
    void OnFrame(int index) override;
    // A copy of the picture at the point growing from s0 to s1 while it fades.
    void Spawn(CVxBillboard* picture, float x, float y, float z, float s0, float s1);
};
