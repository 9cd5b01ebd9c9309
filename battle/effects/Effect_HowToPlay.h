#pragma once
// An annotation over a still of the battle: a dark box, an arrow and a few
// words pointing at the robot-removing card. Shown at once, no slide; the
// battle page closes it on the next left press. Kind 0 and 1 come from the
// pause box's Help (robot 39 locked / unlocked), kind 2 from the first
// mini-game; all three share one layout.
#include "engine/VxEffect.h"

class CVxBillboard;

constexpr int HOW_TO_PLAY_SLOT = 0;

class CEffect_HowToPlay : public CVxEffect {
public:
    CEffect_HowToPlay();
    void OnFrame(int index) override;

    CVxBillboard* m_apBox[3] = {};  // "Bbd_HowToPlay_Box1..3.png", black at 60 %
    CVxBillboard* m_pArrow = nullptr;
    bool m_bDrawn = false;
    // How often the annotation was drawn into its slot.
    int m_nRenders = 0;

    // The annotation at the screen's origin (also drawn straight when no slot can keep it).
    void DrawAnnotation(int kind);
};
