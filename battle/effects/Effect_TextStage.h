#pragma once
// The stage title banner shown as a battle opens.
// Until its picture is drawn, a record only runs out its life.
#include "engine/VxEffect.h"

class CEffect_TextStage : public CVxEffect {
public:
    CEffect_TextStage() {
        m_nPoolSize = 1;
        m_iDefaultLife = 180;
        Clear(0);
    }
    void OnFrame(int) override {}
};
