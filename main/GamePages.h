#pragma once
// The page factory the game application is built with.
#include "game/GamePages.h"

class CGameApplication;
class CPageGame;

// Logo, menu, story, battle and test pages, in page-table order.
GamePages MakeGamePages();

// The application's battle page, or null (no application, or no battle page):
// for the tools and tests that look into a running battle.
CPageGame* GameBattlePage(const CGameApplication* app);
