// The jump games: 157, where the Mariner Bot hops over and onto the Machines
// along the bottom row, and 167, where it leaps off the start line and climbs
// by stomping the airships below, then comes back down to the start line for
// the caged robots. Gravity, landing, stomps, the climb, the jump input and
// 167's start arrow and way back.
#include <algorithm>
#include <cmath>

#include "battle/effects/RobotIconOffset.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"
#include "content/UnitIds.h"

namespace {

constexpr float kDeg = 3.14159265f / 180.0f;
constexpr float kJumpSpeed = 11.0f;

float LowestLine() { return -0.6f * float(g_iScreenHeight); }

// A Machine under the point that a falling jumper lands on.
bool IsStompedBy(const CCom_GameRobot& m, float x, float y) {
    float reach = 0.0f, dx = 0.0f;
    if (m.Type() == MachineId::Rocket) {
        reach = 100.0f;
        dx = x - m.m_vPosition.x;
    } else {
        const float width = float(std::clamp(m.m_iSpriteWidth, 86, 186));
        reach = (width - 86.0f) / 1.6666666f + 50.0f;
        dx = x - m.m_vLastPosition.x;
    }
    const float gap = y - m.m_vLastPosition.y;
    return std::fabs(dx) < reach && gap > 50.0f && gap < 75.0f;
}

}  // namespace

CCom_GameRobot* CPageGame::FindJumper() {
    for (CCom_GameRobot& r : m_lstRobots)
        if (r.Type() == RobotId::MarinerBot && !r.IsMachine()) return &r;
    return nullptr;
}

void CPageGame::UpdateJumpGame() {
    const int stage = CurrentStage();
    if (stage != 157 && stage != 167) return;
    if (stage == 167 && m_iTimeLeft == m_iStageFrames - 100)
        CallEnemyRobot(MachineId::NapalmAirship, 0.0f, 0.0f, 0.0f, false);
    CCom_GameRobot* jumper = FindJumper();
    if (!jumper) return;
    VxVec3& at = jumper->m_vPosition;
    if (!m_bJumpStartKept) {
        m_vJumpStart = at;
        m_bJumpStartKept = 1;
    }

    // Gravity and the floors.
    const VxVec3 last = at;
    if (m_iJumpCount > 0) m_fJumpSpeed -= stage == 157 ? 0.6f : 0.35f;
    at.y += m_fJumpSpeed;
    const float bottom = m_aFieldCells[FIELD_ROWS - 1].m_fY;
    if (stage == 157) {
        at.y = std::max(at.y, bottom);
    } else if (m_iJumpCount == 0) {
        at.y = std::max(at.y, m_aFieldCells[2].m_fY);
    } else if (m_iTimeLeft == 0 && jumper->m_iHp > 0) {
        at.y = std::max(at.y, bottom);
    }

    // 167: while the jumper stays up, the climb carries the start line away below.
    if (stage == 167 && m_iTimeLeft > 0 && m_iJumpCount > 0 && jumper->m_iHp > 0 && m_pStage)
        m_pStage->m_fScrollY += m_fScrollSpeed;

    const float lowest = LowestLine();
    if (jumper->m_iState == ROBOT_DYING || at.y >= lowest) {
        const float rise = at.y - m_vJumpStart.y;
        if (stage == 157 ? rise > 235.0f : (rise > 120.0f || at.y > 215.0f)) m_bJumpHeld = 0;
        if (at.y == last.y && at.y == bottom) m_bOnGround = 1;
        if (m_iJumpCount > 0 && at.y < last.y) StompMachines(*jumper, last);
    }
    if (at.y < lowest && jumper->m_iState != ROBOT_DYING) {
        jumper->m_iHp = 0;
        jumper->BeginDying(*this);
    }
    if (stage == 167)
        for (CCom_GameRobot& r : m_lstRobots)
            if (r.m_iState == ROBOT_DYING && r.m_vPosition.y < lowest) r.m_bExpired = 1;

    // The tilt of the walk settles again.
    const float tilt = jumper->m_vRotation.z, ease = 0.5f * kDeg;
    jumper->m_vRotation.z = tilt > 0.0f ? std::max(0.0f, tilt - ease) : std::min(0.0f, tilt + ease);
}

void CPageGame::StompMachines(CCom_GameRobot& jumper, const VxVec3& from) {
    const VxVec3 to = jumper.m_vPosition;
    const int steps = std::max(1, int(from.y - to.y));
    for (int i = 1; i <= steps; ++i) {
        const float t = float(i) / float(steps);
        const float x = from.x + (to.x - from.x) * t, y = from.y + (to.y - from.y) * t;
        for (CCom_GameRobot& m : m_lstRobots) {
            if (!m.IsMachine() || m.m_iHp <= 0 || m.m_iState == ROBOT_DYING || !IsStompedBy(m, x, y)) continue;
            // A stomp flattens what it lands on.
            m.TakeDamage(*this, m.m_iHp);
            AddFieldEffect(jumper.m_iUnitSlot, 0, x, y, to.z);
            StartMiniGameJump();
            return;
        }
    }
}

void CPageGame::HandleJumpInput() {
    if (m_iStartJumps != 0 || !g_pApp) return;
    const int stage = CurrentStage();
    const bool held = (g_pApp->m_aInput[0].m_aiKey[MOUSE_LEFT] & KEY_HELD) != 0;
    bool start = held && m_bOnGround;
    if (stage == 157) {
        const float band = 0.5f * (m_aFieldCells[3].m_fY + m_aFieldCells[4].m_fY);
        start = start && CursorPoint().y > band;
    } else {
        start = start && m_iJumpCount == 0;
    }
    if (start) StartMiniGameJump();
    else if (m_bJumpHeld) m_fJumpSpeed = kJumpSpeed;
}

void CPageGame::FireRobotsOfType(int type) {
    for (CCom_GameRobot& r : m_lstRobots)
        if (r.Type() == type && r.m_iHp > 0 && r.m_iActionTimer >= r.m_Unit.m_iActionInterval)
            r.BeginAttack(*this, true);
}

void CPageGame::DrawJumpStartArrow() {
    CCom_GameRobot* jumper = FindJumper();
    if (!jumper) return;
    if (m_iJumpCount == 0) {
        jumper->m_vPosition.y = jumper->m_vHome.y + 15.0f * std::sin(5.0f * float(m_iBattleFrame) * kDeg);
        m_fStartArrowY = jumper->m_vPosition.y + 30.0f;
    } else if (m_fStartArrowY < 0.6f * float(g_iScreenHeight)) {
        m_fStartArrowY = std::min(m_fStartArrowY + 10.0f, 0.6f * float(g_iScreenHeight));
    }
    if (m_iTimeLeft == m_iStageFrames - 600 && m_iJumpCount == 0) ++m_iJumpCount;
    if (m_iTimeLeft >= m_iStageFrames - 400) return;
    CVxBillboard* arrow = g_pGameAppInstance ? g_pGameAppInstance->m_apBbdInterface[6] : nullptr;
    if (!arrow) return;
    const int k = (m_iStageFrames - 400 - m_iTimeLeft) % 20;
    const float f = float(std::min(k, 20 - k)) / 20.0f;
    arrow->SaveState();
    arrow->SetPosition(jumper->m_vPosition.x - 5.0f, m_fStartArrowY, jumper->m_vPosition.z);
    arrow->SetDiffuse(f * 0.35f, f * 0.35f, 0.0f, 1.0f);
    arrow->RenderSRT();
    arrow->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    arrow->RestoreState();
}

void CPageGame::StepStartLine() {
    const FieldCell& bottom = m_aFieldCells[FIELD_ROWS - 1];
    if (m_pStage && m_pStage->m_fScrollY > -2000.0f)
        for (int column = 0; column < FIELD_COLUMNS; ++column) {
            FieldCell& cell = m_aFieldCells[column * FIELD_ROWS + FIELD_ROWS - 1];
            cell.m_iStageKind = cell.m_iKind = CELL_GROUND;
        }
    CCom_GameRobot* jumper = nullptr;
    for (CCom_GameRobot& r : m_lstRobots)
        if (r.Type() == RobotId::MarinerBot) {
            jumper = &r;
            break;
        }
    if (!jumper) return;
    if (jumper->m_vPosition.y == bottom.m_fY) {
        if (!m_bEndSequence && jumper->m_iHp > 0) {
            m_bEndSequence = true;
            m_lstDrawLastTypes.push_back(21);
            jumper->m_iHp *= 100;
            jumper->m_Unit.m_iMaxHp *= 100;
        }
        float* scroll = m_pStage ? &m_pStage->m_fScrollY : nullptr;
        if (scroll && *scroll < 0.0f) {
            // Back down to the start line; the last step stops on it, so the
            // field is cleared exactly once whatever the climb's length was.
            *scroll = std::min(*scroll - 4.0f * m_fScrollSpeed, 0.0f);
            if (*scroll == 0.0f) {
                for (auto it = m_lstRobots.begin(); it != m_lstRobots.end();) {
                    if (!it->IsMachine()) {
                        ++it;
                        continue;
                    }
                    ForgetMiniGameLinks(it->m_iSerial);
                    it = EraseRobot(m_lstRobots, it);
                }
                m_lstBullets.clear();
            }
        } else if (m_iStartJumps < 3) {
            StartMiniGameJump();
            m_fScrollSpeed *= 1.0f - float(m_iStartJumps) * 0.25f;
        }
    }
    // The world passes the camera on its way back down.
    if (m_bEndSequence) {
        for (CCom_GameRobot& r : m_lstRobots)
            if (r.IsMachine()) r.m_vPosition.y -= m_fScrollSpeed;
        for (CCom_GameBullet& b : m_lstBullets) b.m_vPosition.y -= m_fScrollSpeed;
    }
    int own = 0;
    for (const CCom_GameRobot& r : m_lstRobots) own += r.IsMachine() ? 0 : 1;
    if ((jumper->m_vPosition.y == bottom.m_fY || m_iStartJumps >= 1) && own == 1) PlaceCagedRound();
}

void CPageGame::PlaceCagedRound() {
    for (int column = 0; column < FIELD_COLUMNS; ++column) {
        const FieldCell& cell = m_aFieldCells[column * FIELD_ROWS + FIELD_ROWS - 1];
        CCom_GameRobot* r = SpawnMiniGameRobot(column % 4 + 1, cell.m_fX, cell.m_fY, cell.m_fZ);
        if (!r) continue;
        // Each one inside the cage over its cell.
        const int type = r->Type();
        const float lift = type == RobotId::SurveyorBot ? 14.0f : type == RobotId::FloaterBot ? -1.0f : -22.0f;
        const VxVec3 at = GetRobotIconOffset(r->m_Unit, VxVec3{cell.m_fX, cell.m_fY + 67.625f + lift, cell.m_fZ});
        r->m_vPosition = r->m_vLastPosition = VxVec3{at.x, at.y, cell.m_fZ};
    }
}

void CPageGame::DrawRobotsAboveScreen() {
    CVxBillboard* arrow = g_pGameAppInstance ? g_pGameAppInstance->m_apBbdInterface[6] : nullptr;
    if (!arrow) return;
    const float top = 0.5f * float(g_iScreenHeight);
    for (const CCom_GameRobot& r : m_lstRobots) {
        if (r.IsMachine() || r.m_iHp <= 0 || r.m_vPosition.y <= top) continue;
        arrow->SaveState();
        arrow->SetPosition(r.m_vPosition.x, top - 0.5f * arrow->m_vSize.y, 0.0f);
        arrow->SetRotation(0.0f, 0.0f, 180.0f * kDeg);
        arrow->RenderSRT();
        arrow->RestoreState();
    }
}
