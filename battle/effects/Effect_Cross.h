#pragma once
// A cross at a refused point of a mini-game: the miss mark's timing on a
// cross picture.
#include "battle/effects/Effect_TextMiss.h"

class CEffect_Cross : public CEffect_TextMiss {
public:
    CEffect_Cross();
};
