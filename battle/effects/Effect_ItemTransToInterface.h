#pragma once
// The pictures of the items flying to their counters on the HUD. The flights
// are the battle's (ItemFlights.h): each frame, right after they move, this
// draws each where its turn left it, shows the amount on its second frame
// and fades it out where it arrived. It keeps no records of its own.
#include "battle/effects/BattleReader.h"
#include "battle/model/BattleView.h"
#include "battle/model/ItemFlights.h"
#include "battle/model/ItemPayout.h"
#include "engine/VxEffect.h"

class CEffect_ItemTransToInterface : public CVxEffect, public BattleViewer, public BattleReader {
public:
    CEffect_ItemTransToInterface() {
        m_nPoolSize = 0;
        m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    }
    void Tick() override;
    void OnFrame(int /*index*/) override {}
};
