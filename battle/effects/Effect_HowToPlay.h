#pragma once
// The how-to-play overlay (kind 2 on the first mini-game).
#include "battle/effects/Effect_HelpBoard.h"

class CEffect_HowToPlay : public CEffect_HelpBoard {};
