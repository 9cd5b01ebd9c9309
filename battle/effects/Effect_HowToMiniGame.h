#pragma once
// The instructions board of a mini-game, shown over a still.
#include "battle/effects/Effect_HelpBoard.h"

class CEffect_HowToMiniGame : public CEffect_HelpBoard {
public:
    void HandleClick() {}
};
