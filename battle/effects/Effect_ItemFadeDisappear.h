#pragma once
// Where a flight ended the item's picture swells and fades over 10 frames.
// Kind: the item's kind; parameters 0-2: the point.
#include "battle/effects/BattleReader.h"
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CEffect_ItemFadeDisappear : public CVxEffect, public BattleViewer, public BattleReader {
public:
    CEffect_ItemFadeDisappear() {
        m_nPoolSize = 30;
        m_iDefaultLife = 10;
        Clear(0);
    }
    void OnFrame(int index) override;
};
