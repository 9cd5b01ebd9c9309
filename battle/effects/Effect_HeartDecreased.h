#pragma once
// The notice at the top right when Machines cross the field: a heart, a
// times glyph and the life lost (the record's kind), in five phases over 600
// frames. A new loss restarts it.
#include "battle/model/BattleView.h"
#include "engine/VxEffect.h"

class CVxBillboard;

class CEffect_HeartDecreased : public CVxEffect, public BattleViewer {
public:
    CEffect_HeartDecreased() {
        m_nPoolSize = 1;
        m_iDefaultLife = 600;
        Clear(0);
    }
    void OnStart(int index) override;
    void OnFrame(int index) override;

    // Phase (0-4) and frames into it of the notice t frames after its start.
    static void Phase(int t, int& phase, int& into);

    CVxBillboard* m_pGlyph = nullptr;  // the times glyph, when not the page's; not owned
};
