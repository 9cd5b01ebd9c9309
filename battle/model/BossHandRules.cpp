#include "battle/model/BossHandRules.h"

#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"

int CloseBossHand(CBattleModel& model, float x, float y) {
    int crushed = 0;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.IsMachine() || r.m_iHp <= 0) continue;
        const float dx = r.m_vLastPosition.x - x, dy = r.m_vLastPosition.y - y;
        if (std::sqrt(dx * dx + dy * dy) >= BOSS_HAND_REACH) continue;
        r.m_iHp = 0;
        r.BeginDying(model);
        model.AddFieldEffect(7, 19, r.m_vLastPosition.x, r.m_vLastPosition.y, r.m_vLastPosition.z);
        ++crushed;
    }
    return crushed;
}
