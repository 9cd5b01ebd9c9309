#pragma once
// The battle page's clock for its battle: the application's frame counter,
// which the application's loop advances every frame, through menus, boards,
// the pause and page fades alike.
#include "battle/model/BattleContext.h"
#include "game/GameApplication.h"

class ApplicationClock final : public BattleClock {
public:
    int Now() const override { return g_pApp ? int(g_pApp->m_nFrame) : 0; }
    bool StillShown() const override { return g_pGameAppInstance && g_pGameAppInstance->m_bShowStill; }
    bool StillTaken() const override { return g_pGameAppInstance && g_pGameAppInstance->m_bCaptureStill; }
};
