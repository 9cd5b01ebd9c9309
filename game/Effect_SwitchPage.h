#pragma once
// Covers the screen before a page switch (fading the page's music with it)
// and requests the switch on its last frame. The record kind is the switch
// code: sub-screen × 10 + page index, or -1 to fade without switching.
#include "engine/VxEffect.h"

constexpr int SWITCH_FRAMES = 15;

class CEffect_SwitchPage : public CVxEffect {
public:
    CEffect_SwitchPage();
    void OnFrame(int index) override;
};
