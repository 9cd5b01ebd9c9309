#pragma once
// An item fading where it lay.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_ItemFadeDisappear : public CVxEffect {
public:
    CEffect_ItemFadeDisappear() {
        m_nPoolSize = 30;
        m_iDefaultLife = 10;
        Clear(0);
    }
    void OnFrame(int) override {}
};
