#pragma once
// The "miss" mark where a shot missed: it shrinks in, stays and fades.
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_TextMiss : public CVxEffect {
public:
    CEffect_TextMiss();
    void OnFrame(int index) override;

protected:
    // A mark of the same timing with its own picture.
    CEffect_TextMiss(int poolSize, const char* picture);
    CVxBillboard* m_pPicture = nullptr;
};
