#pragma once
// Darkens the picture behind pop-ups (kind 0 dims, kind 1 brightens back)
// and blacks it out around the battle page's change between its battle and
// encyclopedia sub-screens.
#include "engine/VxEffect.h"

constexpr int FADE_FRAMES = 15;
// How far a plain fade darkens: to 0.65 of full brightness.
constexpr float FADE_DEPTH = 0.35f;

class CEffect_BlackScreen : public CVxEffect {
public:
    CEffect_BlackScreen();

    // Before a frame is drawn: g_fScreenDim from the live records.
    void UpdateScreenDim();
    void OnFrame(int index) override;

    bool m_bSubScreenSwitch = false;
};
