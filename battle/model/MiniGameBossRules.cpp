#include "battle/model/MiniGameBossRules.h"

#include <algorithm>
#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/SkyDrops.h"
#include "battle/units/GameRobot.h"
#include "content/MiniGameTable.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "engine/VxSound.h"
#include "platform/Random.h"

namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;
constexpr int kBombRunBossWeak = 1000;  // the Destroyer's hit points that start the finale

int Scaled(int value, double factor) { return int(double(value) * factor); }

void PlayAt(CVxSound* sound, float level) {
    if (!sound) return;
    sound->SetVolumeFactor(level);
    RestartSound(sound);
}

// Calls the stage's boss into m_pMiniGameBoss, scaled as its row says.
CCom_GameRobot* CallMiniGameBoss(CBattleModel& model) {
    const DuelBoss& row = MiniGameRowOf(model.StageNumber()).boss;
    CCom_GameRobot* boss = model.CallEnemyRobot(row.type, 0.0f, 0.0f, 0.0f, false);
    RuleState(model).m_pMiniGameBoss = boss;
    if (boss) {
        boss->m_Unit.m_iActionInterval = Scaled(boss->m_Unit.m_iActionInterval, row.interval);
        boss->m_Unit.m_iMaxHp = Scaled(boss->m_Unit.m_iMaxHp, row.hp);
        boss->m_iHp = Scaled(boss->m_iHp, row.hp);
    }
    return boss;
}

// A boss walks in and then stands swaying.
void SwayMiniGameBoss(CBattleModel& model) {
    CCom_GameRobot* boss = RuleState(model).m_pMiniGameBoss;
    if (!boss) return;
    if (boss->m_iBossTimer == 1) {
        boss->m_Unit.m_fSpeed = 0.0f;
        ++boss->m_iPhase;
        boss->m_vPosition.x += 0.5f * float(std::sin(double(boss->m_iPhase) * kRad));
    } else {
        boss->m_Unit.m_fSpeed = 1.0f;
        if (boss->m_vPosition.x > -200.0f) boss->m_iBossTimer = 1;
    }
}

// 171: a robot bursts into two atomic blasts and is thrown out.
void BurstBombRobot(CBattleModel& model, CCom_GameRobot& robot) {
    const VxVec3 at = robot.m_vPosition;
    model.FireBullet(WeaponId::AtomicBlast, robot.m_iUnitSlot, at.x, at.y, at.z, NO_SERIAL, robot.m_iSerial);
    model.FireBullet(WeaponId::AtomicBlast, robot.m_iUnitSlot, at.x, at.y, at.z, NO_SERIAL, robot.m_iSerial);
    PlayAt(model.Scene().m_pSfxDestroyerBomb, 1.0f);
    robot.m_bExpired = 1;
    ThrowRobotOut(model, robot.m_iUnitSlot, at);
}

// 171's finale: the pilot flies out, turns and dives into the boss.
void FlyPilotIntoBoss(CBattleModel& model, CCom_GameRobot& boss, CCom_GameRobot& pilot) {
    boss.m_Unit.m_iActionInterval = 500000;
    if (RuleState(model).m_iMiniGameFlag <= 10000) {
        RuleState(model).m_iMiniGameFlag = 10000;
        pilot.m_iHp = pilot.m_Unit.m_iMaxHp = 10000;
        pilot.m_vPosition.x += 2.0f;
        if (pilot.m_vPosition.x >= 525.0f) {
            pilot.m_vPosition.x = 540.0f;
            RuleState(model).m_iMiniGameFlag = 11000;
        }
        return;
    }
    if (RuleState(model).m_iMiniGameFlag < 12000) {
        RuleState(model).m_iMiniGameFlag = std::min(12000, RuleState(model).m_iMiniGameFlag + 25);
        if (RuleState(model).m_iMiniGameFlag == 12000) PlayAt(model.Scene().m_pSfxDestroyerDead, 1.0f);
    }
    pilot.m_vPosition.x -= 20.0f;
    if (pilot.m_vPosition.x < -200.0f && !pilot.m_bExpired) BurstBombRobot(model, pilot);
}

// 171: the bombs ride left and burst at the boss.
void RideBombs(CBattleModel& model, const CCom_GameRobot* boss, const CCom_GameRobot* pilot) {
    CVxSound* fuse = model.Scene().m_pSfxFuse;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        // A weapon card (role timer) stays put until it has mounted itself.
        if (&r == pilot || r.IsMachine() || r.m_iHp <= 0 || r.m_Unit.m_iRole == ROLE_ONESHOT ||
            r.m_Unit.m_iRole == ROLE_TIMER || r.Type() == RobotId::GunnerBot || r.m_bExpired)
            continue;
        const float before = r.m_vPosition.x;
        r.m_vPosition.x -= 7.0f;
        if (r.m_vPosition.x < -500.0f) r.m_bExpired = 1;
        if (!boss) continue;
        if (before >= 300.0f && r.m_vPosition.x < 300.0f && fuse && !fuse->IsPlaying()) {
            fuse->SetVolumeFactor(0.5f);
            fuse->Play();
        }
        if (r.m_vPosition.x < -200.0f) BurstBombRobot(model, r);
    }
}

}  // namespace

bool StepBossDuel(CBattleModel& model) {
    const int stage = model.StageNumber();
    if (!IsWhaleDuelStage(stage)) return false;
    const int callAt = RuleState(model).m_iStageFrames - 300;
    if (RuleState(model).m_iTimeLeft == callAt) CallMiniGameBoss(model);
    CCom_GameRobot* boss = RuleState(model).m_pMiniGameBoss;
    if (RuleState(model).m_iTimeLeft < callAt && boss) {
        SwayMiniGameBoss(model);
        // The boss cannot be beaten in the first half and is worn down in the second.
        const int max = boss->m_Unit.m_iMaxHp;
        if (RuleState(model).m_iTimeLeft > RuleState(model).m_iStageFrames / 2) {
            if (boss->m_iHp > 0 && double(boss->m_iHp) < 0.15 * double(max)) boss->m_iHp += 100;
        } else if (boss->m_iHp * 2 > max) {
            boss->m_iHp = Scaled(max, 0.3);
        }
    }
    if (!RuleState(model).m_apMiniGameRobots[0]) {
        RuleState(model).m_iLife = 0;
        RuleState(model).m_iTimeLeft = 0;
        return false;
    }
    if (!boss && RuleState(model).m_iTimeLeft > 0 && RuleState(model).m_iTimeLeft < callAt) {
        RuleState(model).m_iTimeLeft = 0;
        return true;
    }
    if (RuleState(model).m_iTimeLeft == 0 && boss) RuleState(model).m_iLife = 0;
    return false;
}

void StepFloatingBoss(CBattleModel& model) {
    if (ModeOf(model.StageNumber()) != MiniGameMode::FloatingBoss) return;
    const int callAt = RuleState(model).m_iStageFrames - 300;
    if (RuleState(model).m_iTimeLeft == callAt) CallMiniGameBoss(model);
    if (RuleState(model).m_iTimeLeft < callAt) SwayMiniGameBoss(model);
    // Reinforcements float in along the bottom row.
    if (RuleState(model).m_iTimeLeft <= callAt &&
        (RuleState(model).m_iStageFrames - RuleState(model).m_iTimeLeft) % 400 == 0)
        model.SpawnMiniGameRobotOnCell(FIELD_COLUMNS - 1, 1, FIELD_ROWS - 1);
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.IsMachine()) continue;
        if (r.Type() == RobotId::CannonBot) r.m_vPosition.x -= 1.0f;
        else if (r.Type() == RobotId::CopterBot) r.m_vPosition.x -= 0.5f;
    }
    if (RuleState(model).m_iTimeLeft < 7100 && !RuleState(model).m_apMiniGameRobots[0]) {
        RuleState(model).m_iLife = 0;
        RuleState(model).m_iTimeLeft = 0;
        return;
    }
    if (RuleState(model).m_iTimeLeft < 6000 && RuleState(model).m_iTimeLeft > 0 && !RuleState(model).m_pMiniGameBoss) {
        // The victory flight: two columns of copters.
        for (int i = 0; i < 2 * FIELD_ROWS; ++i) {
            const FieldCell& cell = RuleState(model).m_aFieldCells[(FIELD_COLUMNS - 2) * FIELD_ROWS + i % FIELD_ROWS];
            model.SpawnMiniGameRobot(2, cell.m_fX + (i < FIELD_ROWS ? 0.0f : 85.5f), cell.m_fY, cell.m_fZ);
        }
        RuleState(model).m_iTimeLeft = 0;
        return;
    }
    if (RuleState(model).m_iTimeLeft == 0 && RuleState(model).m_pMiniGameBoss) RuleState(model).m_iLife = 0;
}

bool StepBombRun(CBattleModel& model) {
    if (ModeOf(model.StageNumber()) != MiniGameMode::BombRun) return false;
    const int frames = RuleState(model).m_iStageFrames;
    const int elapsed = frames - RuleState(model).m_iTimeLeft;
    const bool bossDue = RuleState(model).m_iTimeLeft <= frames - 2700;
    if (RuleState(model).m_iTimeLeft == frames - 2700) CallMiniGameBoss(model);
    CCom_GameRobot* boss = RuleState(model).m_pMiniGameBoss;
    CCom_GameRobot* pilot = RuleState(model).m_apMiniGameRobots[0];
    if (boss && boss->m_iBossTimer == 0) {
        boss->m_vPosition.x += 10.0f;
        if (boss->m_vPosition.x > -250.0f) boss->m_iBossTimer = 1;
    }
    const bool bossStrong = !boss || boss->m_iHp > kBombRunBossWeak;
    // Bombs ride in from the right every three seconds while the boss stands firm.
    if (elapsed > 300 && RuleState(model).m_iTimeLeft % 180 == 10 && bossStrong) {
        const int slot = 3 + VxRand() % 3;
        model.SpawnMiniGameRobotOnCell(FIELD_COLUMNS - 1, slot, VxRand() % FIELD_ROWS);
    }
    if (boss && boss->m_iHp < kBombRunBossWeak && pilot) FlyPilotIntoBoss(model, *boss, *pilot);
    RideBombs(model, boss, pilot);

    if (!pilot && (!bossDue || (boss && boss->m_iHp > kBombRunBossWeak))) {
        RuleState(model).m_iTimeLeft = 0;
        RuleState(model).m_iLife = 0;
        return false;
    }
    if (RuleState(model).m_iTimeLeft == 0 && boss && boss->m_iHp > kBombRunBossWeak) {
        RuleState(model).m_iLife = 0;
        return false;
    }
    if (!boss && RuleState(model).m_iTimeLeft < frames - 2700) {
        RuleState(model).m_iTimeLeft = 0;
        return true;
    }
    return false;
}
