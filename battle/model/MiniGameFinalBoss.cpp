// The episodes' final stages (160, 170, 180): a minute in, the episode's boss
// walks in from the left and holds its ground; the stage is won when it is
// gone and lost when the time runs out with it still standing. Capsules bring
// reinforcements while Machines live.
#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/MiniGameTable.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/UnlockTables.h"
#include "engine/VxXApplication.h"
#include "platform/Random.h"

namespace {

constexpr int kBossCallFrames = 3600;  // stage frames before the boss comes
constexpr int kCapsuleEvery = 780;     // engine frames
constexpr float kBossStandX = -250.0f;

// The boss walks in to its stand; the first half heals it on the brink, the
// second half cuts a strong one down.
void MoveFinalBoss(CBattleModel& model, CCom_GameRobot& boss) {
    if (boss.m_iBossTimer == 0) {
        boss.m_vPosition.x += 10.0f;
        if (boss.m_vPosition.x > kBossStandX) boss.m_iBossTimer = 1;
    }
    const int maxHp = boss.m_Unit.m_iMaxHp;
    if (boss.m_iHp <= 0) return;
    if (RuleState(model).m_iTimeLeft > RuleState(model).m_iStageFrames / 2) {
        if (double(boss.m_iHp) < 0.25 * double(maxHp)) boss.m_iHp += 100;
    } else if (double(boss.m_iHp) > 0.5 * double(maxHp)) {
        boss.m_iHp = int(0.4 * double(maxHp));
    }
}

// 180: gun and mortar mounts come only when a base for them stands.
int MountSlotWithBase(const CBattleModel& model, int slot) {
    bool gunBase = false, mortarBase = false;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.IsMachine() || r.m_iHp <= 0) continue;
        gunBase = gunBase || (r.Type() == RobotId::GunnerBot && r.m_Unit.m_iActionInterval >= 20);
        mortarBase = mortarBase || (r.Type() == RobotId::CannonBot && r.m_Unit.m_iActionInterval < 300);
    }
    if (slot == 6 && !gunBase) slot = 1;
    if (slot == 5 && !mortarBase) slot = 0;
    return slot;
}

}  // namespace

bool UpdateFinalBoss(CBattleModel& model) {
    const int stage = model.StageNumber();
    if (!IsEpisodeFinalBossStage(stage)) return false;
    const int bossType = MiniGameRowOf(stage).destroyer;
    const int callAt = RuleState(model).m_iStageFrames - kBossCallFrames;

    if (RuleState(model).m_iTimeLeft == callAt) {
        RuleState(model).m_pMiniGameBoss = model.CallEnemyRobot(bossType, 0.0f, 0.0f, 0.0f, false);
        // Meeting the boss counts once per boss toward the Machines achievement.
        if (RuleState(model).m_pMiniGameBoss) MeetMachine(model.Profile(), bossType);
    }
    if (CCom_GameRobot* boss = RuleState(model).m_pMiniGameBoss) MoveFinalBoss(model, *boss);

    if (RuleState(model).m_nLiveRobots == 0) {
        RuleState(model).m_iLife = 0;
        return false;
    }
    if (RuleState(model).m_iTimeLeft == 0 && RuleState(model).m_pMiniGameBoss &&
        RuleState(model).m_pMiniGameBoss->m_iHp > 0) {
        RuleState(model).m_iLife = 0;
        return false;
    }
    if (!RuleState(model).m_pMiniGameBoss && RuleState(model).m_iTimeLeft < callAt) {
        RuleState(model).m_iTimeLeft = 0;
        return true;
    }

    if (RuleState(model).m_nLiveMachines > 0 && model.AppFrame() % kCapsuleEvery == 0) {
        const CapsuleBands& row = MiniGameRowOf(stage).capsules;
        int slot = CapsuleSlotForRoll(row, VxRand() % 100);
        if (row.mounts) slot = MountSlotWithBase(model, slot);
        model.DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, slot, true);
    }
    return false;
}
