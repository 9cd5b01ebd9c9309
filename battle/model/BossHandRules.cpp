#include "battle/model/BossHandRules.h"

#include <algorithm>
#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"

int CloseBossHand(CBattleModel& model, float x, float y) {
    int crushed = 0;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.IsMachine() || r.m_iHp <= 0) continue;
        const float dx = r.m_vLastPosition.x - x, dy = r.m_vLastPosition.y - y;
        if (std::sqrt(dx * dx + dy * dy) >= BOSS_HAND_REACH) continue;
        r.m_iHp = 0;
        r.BeginDying(model);
        model.AddFieldEffect(7, FIELD_EFFECT_BLAST, r.m_vLastPosition.x, r.m_vLastPosition.y, r.m_vLastPosition.z);
        ++crushed;
    }
    return crushed;
}

int BossHandTravelFrames(float fromX, float fromY, float toX, float toY) {
    const float dx = toX - fromX, dy = toY - fromY;
    return int(std::sqrt(dx * dx + dy * dy) / 30.0f);
}

float BossHandStartX() { return -0.6f * float(g_iScreenWidth); }

float BossHandStartY(const CBattleModel& model, int row) { return model.State().m_aFieldCells[row].m_fY; }

int AimBossHand(CBattleModel& model, int hand, int column, int row) {
    for (int i = 0; i < BOSS_HANDS; ++i) {
        BossHandStrike& s = RuleState(model).m_aBossHands[i];
        if (s.live) continue;
        s = BossHandStrike{};
        s.live = true;
        s.hand = hand;
        s.column = column;
        s.row = row;
        return i;
    }
    return -1;
}

void DropBossHands(CBattleModel& model) {
    for (BossHandStrike& s : RuleState(model).m_aBossHands) s = BossHandStrike{};
}

void RunBossHands(CBattleModel& model, int layer) {
    for (BossHandStrike& s : RuleState(model).m_aBossHands) {
        if (!s.live || s.hand != layer) continue;
        const int a = s.age++;
        s.shownAge = a;
        if (s.column < 0 || s.column >= FIELD_COLUMNS || s.row < 0 || s.row >= FIELD_ROWS) {
            s.live = false;
            continue;
        }
        const FieldCell& cell = model.State().m_aFieldCells[s.column * FIELD_ROWS + s.row];
        const int n =
            std::max(1, BossHandTravelFrames(BossHandStartX(), BossHandStartY(model, s.row), cell.m_fX, cell.m_fY));
        if (a == BOSS_HAND_WARNING) RestartSound(model.Scene().m_pSfxBossWarning);
        if (a == BOSS_HAND_AIM + n) RestartSound(model.Scene().m_pSfxBossGrab);
        const int t = a - BOSS_HAND_AIM;
        if (t >= n && t < n + BOSS_HAND_GRAB && t - n == BOSS_HAND_CLOSES) CloseBossHand(model, cell.m_fX, cell.m_fY);
        // Ended by its age: the strike is over once the hand is back out.
        if (t >= n + BOSS_HAND_GRAB + n) s.live = false;
    }
}
