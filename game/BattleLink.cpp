#include "game/BattleLink.h"

bool g_bLeavingBattle = false;
