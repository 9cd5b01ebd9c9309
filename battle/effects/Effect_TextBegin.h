#pragma once
// The count-down caption before play begins.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CEffect_TextBegin : public CVxEffect, public BattleViewer {
public:
    CEffect_TextBegin() {
        m_nPoolSize = 1;
        m_iDefaultLife = 180;
        Clear(0);
    }
    void OnFrame(int index) override;
};
