// The robots each mini-game starts with, placed at set-up from the stage's
// fixed hand as its row lists them. Entry 0 of m_apMiniGameRobots is the
// robot the player steers or shoots with, where the stage has one.
#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/units/GameRobot.h"
#include "content/MiniGameTable.h"

void PlaceMiniGameRobots(CBattleModel& model) {
    for (const StartRobot& start : MiniGameRowOf(model.StageNumber()).start) {
        const int slot = start.card >= 0 ? model.FindHandCard(start.card) : start.slot;
        CCom_GameRobot* r = model.SpawnMiniGameRobotOnCell(start.column, slot, start.row);
        if (start.control >= 0) RuleState(model).m_apMiniGameRobots[start.control] = r;
        if (!r) continue;
        if (start.rules & START_HOLD_FIRE) r->m_bHoldFire = 1;
        if (start.intervalShare != 1.0)
            r->m_Unit.m_iActionInterval = int(r->m_Unit.m_iActionInterval * start.intervalShare);
        if (start.intervalFrames > 0) r->m_Unit.m_iActionInterval = start.intervalFrames;
        if (start.rules & START_FULL_TIMER) r->m_iActionTimer = r->m_Unit.m_iActionInterval;
        if (start.rules & START_HURT) {
            r->m_bHoldFire = 1;
            r->m_iHp = int(r->m_iHp * 0.5);
            r->m_Unit.m_iMaxHp *= 2;
            r->m_bMirrored = 1;
        }
    }
}
