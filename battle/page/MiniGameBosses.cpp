// Mini-games against one big Machine: the duels of 156, 166 and 174, the
// floating boss of 163 and the bomb run of 171 against The Destroyer.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_RobotJumpOut.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "platform/Random.h"
#include "content/UnitIds.h"

namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;
constexpr int kBoss171Weak = 1000;  // the Destroyer's hit points that start the finale

// The Machine each boss stage calls: the one its mix never sends in waves.
int BossType(int stage) {
    switch (stage) {
    case 156: return MachineId::KillerWhale;
    case 163: return MachineId::Giant;
    case 166:
    case 174: return MachineId::FrostOrca;
    case 171: return MachineId::Destroyer;
    default: return 0;
    }
}

int Scaled(int value, double factor) { return int(double(value) * factor); }

void PlayAt(CVxSound* sound, float level) {
    if (!sound) return;
    sound->SetVolumeFactor(level);
    RestartSound(sound);
}

}  // namespace

CCom_GameRobot* CPageGame::CallMiniGameBoss(double intervalFactor) {
    CCom_GameRobot* boss = CallEnemyRobot(BossType(CurrentStage()), 0.0f, 0.0f, 0.0f, false);
    m_pMiniGameBoss = boss;
    if (boss) boss->m_Unit.m_iActionInterval = Scaled(boss->m_Unit.m_iActionInterval, intervalFactor);
    return boss;
}

void CPageGame::SwayMiniGameBoss() {
    CCom_GameRobot* boss = m_pMiniGameBoss;
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

void CPageGame::UpdateBossDuel() {
    const int stage = CurrentStage();
    if (stage != 156 && stage != 166 && stage != 174) return;
    const int callAt = m_iStageFrames - 300;
    if (m_iTimeLeft == callAt) {
        const double interval = stage == 156 ? 0.5 : (stage == 166 ? 1.5 : 1.25);
        if (CCom_GameRobot* boss = CallMiniGameBoss(interval); boss && stage != 174) {
            const double hp = stage == 156 ? 1.5 : 0.85;
            boss->m_Unit.m_iMaxHp = Scaled(boss->m_Unit.m_iMaxHp, hp);
            boss->m_iHp = Scaled(boss->m_iHp, hp);
        }
    }
    CCom_GameRobot* boss = m_pMiniGameBoss;
    if (m_iTimeLeft < callAt && boss) {
        SwayMiniGameBoss();
        // The boss cannot be beaten in the first half and is worn down in the second.
        const int max = boss->m_Unit.m_iMaxHp;
        if (m_iTimeLeft > m_iStageFrames / 2) {
            if (boss->m_iHp > 0 && double(boss->m_iHp) < 0.15 * double(max)) boss->m_iHp += 100;
        } else if (boss->m_iHp * 2 > max) {
            boss->m_iHp = Scaled(max, 0.3);
        }
    }
    if (!m_apMiniGameRobots[0]) {
        m_iLife = 0;
        m_iTimeLeft = 0;
        return;
    }
    if (!boss && m_iTimeLeft > 0 && m_iTimeLeft < callAt) {
        m_iTimeLeft = 0;
        SetBattleState(BATTLE_REWARD);
        return;
    }
    if (m_iTimeLeft == 0 && boss) m_iLife = 0;
}

void CPageGame::UpdateFloatingBoss() {
    if (CurrentStage() != 163) return;
    const int callAt = m_iStageFrames - 300;
    if (m_iTimeLeft == callAt) CallMiniGameBoss(0.5);
    if (m_iTimeLeft < callAt) SwayMiniGameBoss();
    // Reinforcements float in along the bottom row.
    if (m_iTimeLeft <= callAt && (m_iStageFrames - m_iTimeLeft) % 400 == 0)
        SpawnMiniGameRobotOnCell(FIELD_COLUMNS - 1, 1, FIELD_ROWS - 1);
    for (CCom_GameRobot& r : m_lstRobots) {
        if (r.IsMachine()) continue;
        if (r.Type() == RobotId::CannonBot) r.m_vPosition.x -= 1.0f;
        else if (r.Type() == RobotId::CopterBot) r.m_vPosition.x -= 0.5f;
    }
    if (m_iTimeLeft < 7100 && !m_apMiniGameRobots[0]) {
        m_iLife = 0;
        m_iTimeLeft = 0;
        return;
    }
    if (m_iTimeLeft < 6000 && m_iTimeLeft > 0 && !m_pMiniGameBoss) {
        // The victory flight: two columns of copters.
        for (int i = 0; i < 2 * FIELD_ROWS; ++i) {
            const FieldCell& cell = m_aFieldCells[(FIELD_COLUMNS - 2) * FIELD_ROWS + i % FIELD_ROWS];
            SpawnMiniGameRobot(2, cell.m_fX + (i < FIELD_ROWS ? 0.0f : 85.5f), cell.m_fY, cell.m_fZ);
        }
        m_iTimeLeft = 0;
        return;
    }
    if (m_iTimeLeft == 0 && m_pMiniGameBoss) m_iLife = 0;
}

void CPageGame::BurstBombRobot(CCom_GameRobot& robot) {
    const VxVec3 at = robot.m_vPosition;
    FireBullet(22, robot.m_iUnitSlot, at.x, at.y, at.z, NO_SERIAL, robot.m_iSerial);
    FireBullet(22, robot.m_iUnitSlot, at.x, at.y, at.z, NO_SERIAL, robot.m_iSerial);
    PlayAt(m_pSfxDestroyerBomb, 1.0f);
    robot.m_bExpired = 1;
    if (m_pEffectRobotJumpOut) m_pEffectRobotJumpOut->Add(robot.m_iUnitSlot, at.x, at.y, at.z);
}

void CPageGame::UpdateBombRun() {
    if (CurrentStage() != 171) return;
    const int elapsed = m_iStageFrames - m_iTimeLeft;
    const bool bossDue = m_iTimeLeft <= m_iStageFrames - 2700;
    if (m_iTimeLeft == m_iStageFrames - 2700) CallMiniGameBoss(0.25);
    CCom_GameRobot* boss = m_pMiniGameBoss;
    CCom_GameRobot* pilot = m_apMiniGameRobots[0];
    if (boss && boss->m_iBossTimer == 0) {
        boss->m_vPosition.x += 10.0f;
        if (boss->m_vPosition.x > -250.0f) boss->m_iBossTimer = 1;
    }
    const bool bossStrong = !boss || boss->m_iHp > kBoss171Weak;
    // Bombs ride in from the right every three seconds while the boss stands firm.
    if (elapsed > 300 && m_iTimeLeft % 180 == 10 && bossStrong) {
        const int slot = 3 + VxRand() % 3;
        SpawnMiniGameRobotOnCell(FIELD_COLUMNS - 1, slot, VxRand() % FIELD_ROWS);
    }

    // The finale: the pilot flies out, turns and dives into the boss.
    if (boss && boss->m_iHp < kBoss171Weak && pilot) {
        boss->m_Unit.m_iActionInterval = 500000;
        if (m_iMiniGameFlag <= 10000) {
            m_iMiniGameFlag = 10000;
            pilot->m_iHp = pilot->m_Unit.m_iMaxHp = 10000;
            pilot->m_vPosition.x += 2.0f;
            if (pilot->m_vPosition.x >= 525.0f) {
                pilot->m_vPosition.x = 540.0f;
                m_iMiniGameFlag = 11000;
            }
        } else {
            if (m_iMiniGameFlag < 12000) {
                m_iMiniGameFlag = std::min(12000, m_iMiniGameFlag + 25);
                if (m_iMiniGameFlag == 12000) PlayAt(m_pSfxDestroyerDead, 1.0f);
            }
            pilot->m_vPosition.x -= 20.0f;
            if (pilot->m_vPosition.x < -200.0f && !pilot->m_bExpired) BurstBombRobot(*pilot);
        }
    }
    for (CCom_GameRobot& r : m_lstRobots) {
        // A weapon card (role timer) stays put until it has mounted itself.
        if (&r == pilot || r.IsMachine() || r.m_iHp <= 0 || r.m_Unit.m_iRole == ROLE_ONESHOT ||
            r.m_Unit.m_iRole == ROLE_TIMER || r.Type() == RobotId::GunnerBot || r.m_bExpired)
            continue;
        const float before = r.m_vPosition.x;
        r.m_vPosition.x -= 7.0f;
        if (r.m_vPosition.x < -500.0f) r.m_bExpired = 1;
        if (!boss) continue;
        if (before >= 300.0f && r.m_vPosition.x < 300.0f && m_pSfxFuse && !m_pSfxFuse->IsPlaying()) {
            m_pSfxFuse->SetVolumeFactor(0.5f);
            m_pSfxFuse->Play();
        }
        if (r.m_vPosition.x < -200.0f) BurstBombRobot(r);
    }

    if (!pilot && (!bossDue || (boss && boss->m_iHp > kBoss171Weak))) {
        m_iTimeLeft = 0;
        m_iLife = 0;
        return;
    }
    if (m_iTimeLeft == 0 && boss && boss->m_iHp > kBoss171Weak) {
        m_iLife = 0;
        return;
    }
    if (!boss && m_iTimeLeft < m_iStageFrames - 2700) {
        m_iTimeLeft = 0;
        SetBattleState(BATTLE_REWARD);
    }
}
