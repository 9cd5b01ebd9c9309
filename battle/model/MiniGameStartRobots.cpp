// The robots each mini-game starts with, placed at set-up from the stage's
// fixed hand. Entry 0 of m_apMiniGameRobots is the robot the player steers
// or shoots with, where the stage has one.
#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/units/GameRobot.h"

void PlaceMiniGameRobots(CBattleModel& model) {
    const int stage = model.StageNumber();
    auto place = [&model](int column, int slot, int row) { return model.SpawnMiniGameRobotOnCell(column, slot, row); };
    auto card = [&model](int code) { return model.FindHandCard(code); };
    switch (stage) {
    case 152:
    case 162:
    case 168: {
        CCom_GameRobot* r = stage == 168 ? place(8, 0, 0) : place(8, 0, 2);
        if (r) r->m_bHoldFire = 1;
        RuleState(model).m_apMiniGameRobots[0] = r;
        break;
    }
    case 153:
        for (int row = 2; row <= 4; ++row) place(9, 0, row);
        break;
    case 154: place(9, 0, 2); break;
    case 155: {
        place(2, 0, 3);
        place(4, 0, 1);
        place(7, 0, 2);
        if (CCom_GameRobot* r = place(4, 1, 2)) r->m_Unit.m_iActionInterval = 35;
        break;
    }
    case 156:
    case 166:
    case 171:
    case 174: RuleState(model).m_apMiniGameRobots[0] = place(8, 0, 2); break;
    case 157: place(9, 0, 4); break;
    case 158: {
        place(8, card(24), 1);
        if (CCom_GameRobot* r = place(9, card(22), 2)) {
            r->m_Unit.m_iActionInterval = int(r->m_Unit.m_iActionInterval * 0.5);
            r->m_iActionTimer = r->m_Unit.m_iActionInterval;
        }
        place(8, card(19), 3);
        // The Mariner Bot starts hurt and must be mended before the walk.
        if (CCom_GameRobot* r = place(4, card(21), 4)) {
            r->m_bHoldFire = 1;
            r->m_iHp = int(r->m_iHp * 0.5);
            r->m_Unit.m_iMaxHp *= 2;
            r->m_bMirrored = 1;
        }
        break;
    }
    case 160:
    case 170:
    case 180:
        place(8, 1, 2);
        place(9, 0, 1);
        place(9, 1, 2);
        place(9, 0, 3);
        break;
    case 163:
        if (CCom_GameRobot* r = place(8, 0, 2)) {
            r->m_Unit.m_iActionInterval = int(r->m_Unit.m_iActionInterval * 0.75);
            RuleState(model).m_apMiniGameRobots[0] = r;
        }
        break;
    case 164:
    case 179: {
        const int rows[3] = {3, 2, 1};
        for (int i = 0; i < (stage == 179 ? 3 : 1); ++i) {
            CCom_GameRobot* r = place(8, 0, rows[i]);
            if (r) r->m_bHoldFire = 1;
            RuleState(model).m_apMiniGameRobots[i] = r;
        }
        break;
    }
    case 167: place(8, 0, 2); break;
    case 172:
        place(2, card(0), 3);
        place(5, card(35), 3);
        RuleState(model).m_apMiniGameRobots[0] = place(8, card(0), 3);
        break;
    case 173: {
        const int slots[3] = {1, 0, 2};
        for (int column = 9; column >= 8; --column)
            for (int i = 0; i < 3; ++i) place(column, slots[i], i + 2);
        break;
    }
    default: break;  // 159, 161, 165, 169, 175, 176, 177, 178 start with an empty field
    }
}
