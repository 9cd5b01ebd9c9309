#pragma once
// The ring that grows and fades where the player clicked. A record of kind
// k >= 2 leaves a card-full mark of kind k - 1 at its point when it ends.
#include "engine/VxEffect.h"

constexpr int TOUCH_FRAMES = 15;

class CEffect_Touch : public CVxEffect {
public:
    CEffect_Touch();
    void OnFrame(int index) override;
};
