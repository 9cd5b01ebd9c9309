#pragma once
// The stage title banner shown as a battle opens.
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_TextStage : public CVxEffect {
public:
    CEffect_TextStage() {
        m_nPoolSize = 1;
        m_iDefaultLife = 180;
        Clear(0);
    }
    void OnFrame(int index) override;

private:
    void MakeLabels();
    CVxBillboard* m_apLabel[2] = {};  // stage, mini-game
};
