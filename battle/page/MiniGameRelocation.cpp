// Mini-games in which the player picks robots up and sets them on other cells
// (153, 158, 160, 170, 172, 173, 180), with the rules of 158 (a repair, then
// a march to the right) and 172 (an energy goal).
#include <cmath>
#include <cstring>

#include "battle/page/PageGame.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/WeaponDefinition.h"
#include "content/UnitIds.h"
#include "engine/InputRecord.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "platform/Random.h"
#include "engine/VxMath.h"

bool CompareRobotsForDrawing(const CCom_GameRobot& a, const CCom_GameRobot& b);

namespace {

constexpr float kPickReach = 50.0f;
constexpr float kDegree = 0.017453292519943295f;
// Stage 158 lines its three robots up on these cells of row 4.
constexpr int kSequenceTargets[3] = {5, 6, 7};
constexpr int kSequenceRow = 4;
constexpr float kMarchStep = 4.0f;

bool IsOwnLive(const CCom_GameRobot& r) { return !r.IsMachine() && r.m_iHp > 0; }

// Own live robots that stand in a line: not one-shot cards, not platforms.
bool IsOwnStanding(const CCom_GameRobot& r) {
    return IsOwnLive(r) && r.m_Unit.m_iRole != ROLE_ONESHOT && r.m_Unit.m_iRole != ROLE_PLATFORM;
}

bool StandsOn(const CCom_GameRobot& r, int column, int row) {
    return int(r.m_vCell.x) == column && int(r.m_vCell.y) == row;
}

}  // namespace

void CPageGame::HandleRelocateInput() {
    const int stage = CurrentStage();
    if (!g_pApp || !IsMiniGameGroup1(stage)) return;
    InputRecord& in = g_pApp->m_aInput[0];
    const VxVec3 at = CursorPoint();

    if (m_iCarriedCard == -1) {
        if (!(in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) return;
        for (CCom_GameRobot& r : m_lstRobots) {
            if (!IsOwnLive(r) || r.m_Unit.m_iRole == ROLE_ONESHOT) continue;
            if (r.m_Unit.m_iRole == ROLE_PLATFORM && r.m_bPlatformOccupied) continue;
            if (stage == 158 && (r.Type() == RobotId::MarinerBot || r.Type() == RobotId::BuoyerBot)) continue;
            if (DistanceXY(r.m_vPosition, at) >= kPickReach) continue;
            if (m_bRelocateRule && r.m_iSmokeTimer > 0) {
                if (g_pGameAppInstance) RestartSound(g_pGameAppInstance->m_pSndError);
                return;
            }
            m_iCarriedCard = r.m_iUnitSlot;
            m_iRelocatingRobot = r.m_iSerial;
            m_iCarriedFrames = 0;
            if (m_bRelocateRule) {
                r.m_iSmokePeriod = 0;
                r.m_iSmokeCount = 0;
            }
            for (VxVec3& p : g_avPositionTrail) p = VxVec3{-10000.0f, -10000.0f, 0.0f};
            RestartSound(m_pSfxPickCard);
            return;
        }
        return;
    }
    // A card from the hand is placed by the battle input; only a picked robot is ours.
    if (m_iRelocatingRobot == -1 || !(in.m_aiKey[MOUSE_LEFT] & KEY_RELEASED)) return;
    in.m_aiKey[MOUSE_LEFT] = 0;
    in.m_aiRepeat[MOUSE_LEFT] = 0;

    const int slot = m_iCarriedCard;
    CCom_GameRobot* robot = FindRobotBySerial(m_lstRobots, m_iRelocatingRobot);
    if (CanPlaceCard(1) && robot && robot->m_iHp > 0) MoveRobotToCell(*robot, FindNearestCell(at.x, at.y, 0.0f));
    if (slot >= 0 && slot < HAND_SLOTS) RestartSound(m_apCardSounds[slot][0]);
    m_iCarriedCard = -1;
    m_iRelocatingRobot = -1;
    m_iCarriedFrames = 0;
}

void CPageGame::MoveRobotToCell(CCom_GameRobot& robot, const VxVec3& cellIndex) {
    FieldCell* cell = CellAt(m_aFieldCells, cellIndex);
    if (!cell) return;
    const int serial = robot.m_iSerial;
    const int role = robot.m_Unit.m_iRole;
    if (role == ROLE_PLATFORM) {
        // A platform takes its ground along.
        if (FieldCell* old = CellAt(m_aFieldCells, robot.m_vCell)) old->m_iKind = old->m_iStageKind;
        cell->m_iKind = CELL_GROUND;
    }
    robot.m_vPosition = robot.m_vHome = robot.m_vLastPosition = VxVec3{cell->m_fX, cell->m_fY, cell->m_fZ};
    robot.m_vCell = cellIndex;
    robot.m_iRow = int(cellIndex.y);
    if (robot.m_Unit.m_iWeapon == 14) {
        std::memset(robot.m_abPathCells, 0, sizeof robot.m_abPathCells);
        MarkDescentPath(m_aFieldCells, cellIndex.x, cellIndex.y, robot.m_abPathCells, true);
    }
    // A Flame Bot that moves puts its flame out.
    if (robot.Type() == RobotId::FlameBot) robot.RemoveOwnedBullet();

    if (robot.m_iLinkedSerial != NO_SERIAL)
        if (CCom_GameRobot* platform = FindRobotBySerial(m_lstRobots, robot.m_iLinkedSerial))
            platform->m_bPlatformOccupied = 0;
    robot.m_iLinkedSerial = robot.m_iBobSourceSerial = NO_SERIAL;
    robot.m_bSeesConcealed = 0;
    for (CCom_GameRobot& r : m_lstRobots)
        if (&r != &robot) r.ForgetSerial(serial);
    if (role != ROLE_ONESHOT && role != ROLE_PLATFORM) {
        for (CCom_GameRobot& r : m_lstRobots) {
            if (&r == &robot || r.IsMachine() || r.m_Unit.m_iRole != ROLE_PLATFORM || r.m_iHp <= 0) continue;
            if (!StandsOn(r, int(cellIndex.x), int(cellIndex.y))) continue;
            robot.m_iLinkedSerial = robot.m_iBobSourceSerial = r.m_iSerial;
            if (r.Type() == RobotId::SurveyorBot) robot.m_bSeesConcealed = 1;
            r.m_bPlatformOccupied = 1;
            break;
        }
    }
    m_lstRobots.sort(CompareRobotsForDrawing);
    if (m_bRelocateRule) robot.m_iSmokeTimer = 180;
}

void CPageGame::UpdateSequenceGame() {
    if (CurrentStage() != 158) return;
    if (m_iSequenceShownStep != m_iSequenceStep) {
        m_iSequenceShownStep = m_iSequenceStep;
        m_iSequenceStepFrames = 0;
    } else {
        ++m_iSequenceStepFrames;
    }

    // Capsules: an attacker every 1200 frames, a Buoyer Bot every 900 while few float.
    const int elapsed = m_iStageFrames - m_iTimeLeft;
    if (m_iTimeLeft > 0 && m_iTimeLeft < m_iStageFrames) {
        if (elapsed % 1200 == 0) {
            const int card = VxRand() % 2 == 0 ? 20 : 14;
            DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, FindHandCard(card), true);
        }
        if (elapsed % 900 == 0) {
            int buoyers = 0;
            for (const CCom_GameRobot& r : m_lstRobots)
                buoyers += !r.IsMachine() && r.Type() == RobotId::BuoyerBot ? 1 : 0;
            if (buoyers < 5) DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, FindHandCard(23), true);
        }
    }

    if (m_iSequenceStep == 0) {
        // The Fixer Bot must mend the Mariner Bot while all four hold out.
        bool present[4] = {};
        static const int kTypes[4] = {19, 22, 24, 21};
        const CCom_GameRobot* mariner = nullptr;
        for (const CCom_GameRobot& r : m_lstRobots) {
            if (!IsOwnLive(r)) continue;
            for (int k = 0; k < 4; ++k) present[k] = present[k] || r.Type() == kTypes[k];
            if (r.Type() == RobotId::MarinerBot && !mariner) mariner = &r;
        }
        if (!(present[0] && present[1] && present[2] && present[3]) || m_iTimeLeft == 0) {
            m_iLife = 0;
            return;
        }
        if (mariner && mariner->m_iHp >= mariner->m_Unit.m_iMaxHp) {
            m_iSequenceStep = 1;
            m_iCarriedCard = -1;
            m_iRelocatingRobot = -1;
        }
        return;
    }

    if (m_iSequenceStep == 1) {
        for (const MiniGameTween& t : m_aTweens)
            if (t.m_iFramesLeft > 0) return;
        int target = -1;
        for (int k = 0; k < 3 && target < 0; ++k) {
            bool taken = false;
            for (const CCom_GameRobot& r : m_lstRobots)
                taken = taken || (IsOwnStanding(r) && StandsOn(r, kSequenceTargets[k], kSequenceRow));
            if (!taken) target = kSequenceTargets[k];
        }
        if (target < 0) {
            m_iSequenceStep = 2;
            return;
        }
        for (CCom_GameRobot& r : m_lstRobots) {
            if (!IsOwnLive(r) ||
                (r.Type() != RobotId::SnowBaller && r.Type() != RobotId::FixerBot && r.Type() != RobotId::DShotgunner))
                continue;
            bool onTarget = false;
            for (int column : kSequenceTargets) onTarget = onTarget || StandsOn(r, column, kSequenceRow);
            if (onTarget) continue;
            const FieldCell& cell = m_aFieldCells[target * FIELD_ROWS + kSequenceRow];
            AddMiniGameTween(&r, cell.m_fX, cell.m_fY, cell.m_fZ);
            // The robot belongs to its new cell from the start of its flight.
            r.m_vHome = VxVec3{cell.m_fX, cell.m_fY, cell.m_fZ};
            r.m_vCell = VxVec3{float(target), float(kSequenceRow), 0.0f};
            r.m_iRow = kSequenceRow;
            break;
        }
        return;
    }

    // Step 2: everyone marches off to the right, hopping along row 4.
    const float edge = 0.6f * float(g_iScreenWidth);
    const float ground = m_aFieldCells[kSequenceRow].m_fY;
    const float hop = 30.0f * std::fabs(std::sin(float(m_iSequenceStepFrames) * 6.0f * kDegree));
    bool allPassed = true;
    for (CCom_GameRobot& r : m_lstRobots) {
        if (!IsOwnStanding(r)) continue;
        if (r.m_vPosition.x <= edge) {
            r.m_vPosition.x += kMarchStep;
            r.m_vHome.x = r.m_vPosition.x;
        }
        r.m_vPosition.y = r.m_vHome.y = ground + hop;
        allPassed = allPassed && r.m_vPosition.x > edge;
    }
    if (allPassed) {
        m_iTimeLeft = 0;
        SetBattleState(BATTLE_REWARD);
    }
}

void CPageGame::UpdateEnergyGoal() {
    if (CurrentStage() != 172 || m_iBattleState != BATTLE_PLAYING) return;
    if (m_iEnergy >= 1000) {
        m_iTimeLeft = 0;
        SetBattleState(BATTLE_REWARD);
        return;
    }
    bool fusor = false;
    for (const CCom_GameRobot& r : m_lstRobots)
        fusor = fusor || (IsOwnLive(r) && (r.Type() == RobotId::FusorBot || r.Type() == RobotId::PapaFusor));
    if ((m_iEnergy < 10 && !fusor) || m_iTimeLeft == 0) m_iLife = 0;
}
