#pragma once
// The page factory the game application is built with.
#include "game/GamePages.h"

// Logo, menu, story, battle and test pages, in page-table order.
GamePages MakeGamePages();
