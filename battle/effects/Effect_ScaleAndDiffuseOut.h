#pragma once
// Copies of a picture that grow and fade out over 30 frames.
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
    // A copy of the picture at the point growing from s0 to s1 while it
    // fades; nothing when every record lives.
    void Spawn(CVxBillboard* picture, float x, float y, float z, float s0, float s1);

private:
    static constexpr int kDuration = 30;
    CVxBillboard* m_apPicture[10] = {};
};
