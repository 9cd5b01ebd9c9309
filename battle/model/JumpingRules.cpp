#include "battle/model/JumpingRules.h"

#include <algorithm>
#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "battle/units/RobotIconOffset.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"

namespace {

constexpr float kDeg = 3.14159265f / 180.0f;

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

// The jumper's fall from a point, pixel by pixel: the first Machine it lands
// on is flattened. True on a stomp.
bool StompMachines(CBattleModel& model, CCom_GameRobot& jumper, const VxVec3& from) {
    const VxVec3 to = jumper.m_vPosition;
    const int steps = std::max(1, int(from.y - to.y));
    for (int i = 1; i <= steps; ++i) {
        const float t = float(i) / float(steps);
        const float x = from.x + (to.x - from.x) * t, y = from.y + (to.y - from.y) * t;
        for (CCom_GameRobot& m : RuleState(model).m_lstRobots) {
            if (!m.IsMachine() || m.m_iHp <= 0 || m.m_iState == ROBOT_DYING || !IsStompedBy(m, x, y)) continue;
            m.TakeDamage(model, m.m_iHp);
            model.AddFieldEffect(jumper.m_iUnitSlot, FIELD_EFFECT_HIT, x, y, to.z);
            return true;
        }
    }
    return false;
}

// Gravity and the floors.
void FallAndLand(CBattleModel& model, const CCom_GameRobot& jumper, VxVec3& at) {
    const int stage = model.StageNumber();
    if (RuleState(model).m_iJumpCount > 0)
        RuleState(model).m_fJumpSpeed -= ModeOf(stage) == MiniGameMode::Swim ? 0.6f : 0.35f;
    at.y += RuleState(model).m_fJumpSpeed;
    const float bottom = RuleState(model).m_aFieldCells[FIELD_ROWS - 1].m_fY;
    if (ModeOf(stage) == MiniGameMode::Swim) {
        at.y = std::max(at.y, bottom);
    } else if (RuleState(model).m_iJumpCount == 0) {
        at.y = std::max(at.y, RuleState(model).m_aFieldCells[2].m_fY);
    } else if (RuleState(model).m_iTimeLeft == 0 && jumper.m_iHp > 0) {
        at.y = std::max(at.y, bottom);
    }
}

// 167: the first Mariner Bot in the list, own or not.
CCom_GameRobot* FirstMarinerBot(CBattleModel& model) {
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (r.Type() == RobotId::MarinerBot) return &r;
    return nullptr;
}

float* StageScroll(CBattleModel& model) {
    return RuleState(model).m_pStage ? &RuleState(model).m_pStage->m_fScrollY : nullptr;
}

// 167: the jumper is down on the start line; the end begins.
void BeginEndSequence(CBattleModel& model, CCom_GameRobot& jumper) {
    if (RuleState(model).m_bEndSequence || jumper.m_iHp <= 0) return;
    RuleState(model).m_bEndSequence = true;
    jumper.m_iHp *= 100;
    jumper.m_Unit.m_iMaxHp *= 100;
}

}  // namespace

CCom_GameRobot* FindJumper(CBattleModel& model) {
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (r.Type() == RobotId::MarinerBot && !r.IsMachine()) return &r;
    return nullptr;
}

const CCom_GameRobot* FindJumper(const CBattleModel& model) {
    for (const CCom_GameRobot& r : model.State().m_lstRobots)
        if (r.Type() == RobotId::MarinerBot && !r.IsMachine()) return &r;
    return nullptr;
}

void StartMiniGameJump(CBattleModel& model) {
    RuleState(model).m_fJumpSpeed = JUMP_TAKE_OFF_SPEED;
    ++RuleState(model).m_iJumpCount;
    RuleState(model).m_bJumpStartKept = 0;
    RuleState(model).m_bJumpRising = 1;
    RuleState(model).m_bJumpHeld = 1;
    RuleState(model).m_bOnGround = 0;
    if (ModeOf(model.StageNumber()) == MiniGameMode::Climb && RuleState(model).m_iTimeLeft == 0 &&
        RuleState(model).m_pStage && RuleState(model).m_pStage->m_fScrollY == 0.0f)
        ++RuleState(model).m_iStartJumps;
    RestartSound(model.Scene().m_pSfxJump);
}

bool StepJumpGame(CBattleModel& model) {
    const int stage = model.StageNumber();
    if (!IsJumpStage(stage)) return false;
    if (ModeOf(stage) == MiniGameMode::Climb && RuleState(model).m_iTimeLeft == RuleState(model).m_iStageFrames - 100)
        model.CallEnemyRobot(MachineId::NapalmAirship, 0.0f, 0.0f, 0.0f, false);
    CCom_GameRobot* jumper = FindJumper(model);
    if (!jumper) return false;
    VxVec3& at = jumper->m_vPosition;
    if (!RuleState(model).m_bJumpStartKept) {
        RuleState(model).m_vJumpStart = at;
        RuleState(model).m_bJumpStartKept = 1;
    }
    const VxVec3 last = at;
    FallAndLand(model, *jumper, at);

    // 167: while the jumper stays up, the climb carries the start line away below.
    if (ModeOf(stage) == MiniGameMode::Climb && RuleState(model).m_iTimeLeft > 0 && RuleState(model).m_iJumpCount > 0 &&
        jumper->m_iHp > 0 && RuleState(model).m_pStage)
        RuleState(model).m_pStage->m_fScrollY += RuleState(model).m_fScrollSpeed;

    bool stomped = false;
    const float lowest = LowestLine();
    if (jumper->m_iState == ROBOT_DYING || at.y >= lowest) {
        const float rise = at.y - RuleState(model).m_vJumpStart.y;
        if (ModeOf(stage) == MiniGameMode::Swim ? rise > 235.0f : (rise > 120.0f || at.y > 215.0f))
            RuleState(model).m_bJumpHeld = 0;
        if (at.y == last.y && at.y == RuleState(model).m_aFieldCells[FIELD_ROWS - 1].m_fY)
            RuleState(model).m_bOnGround = 1;
        if (RuleState(model).m_iJumpCount > 0 && at.y < last.y) stomped = StompMachines(model, *jumper, last);
    }
    if (at.y < lowest && jumper->m_iState != ROBOT_DYING) {
        jumper->m_iHp = 0;
        jumper->BeginDying(model);
    }
    if (ModeOf(stage) == MiniGameMode::Climb)
        for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
            if (r.m_iState == ROBOT_DYING && r.m_vPosition.y < lowest) r.m_bExpired = 1;

    // The tilt of the walk settles again.
    const float tilt = jumper->m_vRotation.z, ease = 0.5f * kDeg;
    jumper->m_vRotation.z = tilt > 0.0f ? std::max(0.0f, tilt - ease) : std::min(0.0f, tilt + ease);
    return stomped;
}

bool JumpMayStart(const CBattleModel& model, float cursorY) {
    if (RuleState(model).m_iStartJumps != 0 || !RuleState(model).m_bOnGround) return false;
    if (ModeOf(model.StageNumber()) != MiniGameMode::Swim) return RuleState(model).m_iJumpCount == 0;
    const float band = 0.5f * (RuleState(model).m_aFieldCells[3].m_fY + RuleState(model).m_aFieldCells[4].m_fY);
    return cursorY > band;
}

void KeepJumpRising(CBattleModel& model) {
    if (RuleState(model).m_bJumpHeld) RuleState(model).m_fJumpSpeed = JUMP_TAKE_OFF_SPEED;
}

void BobJumperOnStart(CBattleModel& model) {
    CCom_GameRobot* found = ModeOf(model.StageNumber()) == MiniGameMode::Climb ? FindJumper(model) : nullptr;
    if (!found || RuleState(model).m_iJumpCount != 0) return;
    CCom_GameRobot& jumper = *found;
    jumper.m_vPosition.y = jumper.m_vHome.y + 15.0f * std::sin(5.0f * float(RuleState(model).m_iBattleFrame) * kDeg);
    if (RuleState(model).m_iTimeLeft == RuleState(model).m_iStageFrames - 600) ++RuleState(model).m_iJumpCount;
}

void StepStartLine(CBattleModel& model) {
    const bool ending = RuleState(model).m_bEndSequence;
    const StartLineStep step = StepBackToStartLine(model);
    // Down on the start line the Mariner Bot is drawn after everything else.
    if (!ending && RuleState(model).m_bEndSequence) RuleState(model).m_lstDrawLastTypes.push_back(RobotId::MarinerBot);
    if (step == StartLineStep::NoJumper) return;
    if (step == StartLineStep::Leap) {
        StartMiniGameJump(model);
        SlowScrollAfterLeap(model);
    }
    if (PassWorldDown(model)) PlaceCagedRound(model);
}

StartLineStep StepBackToStartLine(CBattleModel& model) {
    if (RuleState(model).m_pStage && RuleState(model).m_pStage->m_fScrollY > -2000.0f)
        for (int column = 0; column < FIELD_COLUMNS; ++column) {
            FieldCell& cell = RuleState(model).m_aFieldCells[column * FIELD_ROWS + FIELD_ROWS - 1];
            cell.m_iStageKind = cell.m_iKind = CELL_GROUND;
        }
    CCom_GameRobot* jumper = FirstMarinerBot(model);
    if (!jumper) return StartLineStep::NoJumper;
    if (jumper->m_vPosition.y != RuleState(model).m_aFieldCells[FIELD_ROWS - 1].m_fY) return StartLineStep::Stay;
    BeginEndSequence(model, *jumper);
    float* scroll = StageScroll(model);
    if (scroll && *scroll < 0.0f) {
        // Back down to the start line; the last step stops on it, so the
        // field is cleared exactly once whatever the climb's length was.
        *scroll = std::min(*scroll - 4.0f * RuleState(model).m_fScrollSpeed, 0.0f);
        if (*scroll == 0.0f) {
            ClearFieldUnits(model, true);
            RuleState(model).m_lstBullets.clear();
        }
        return StartLineStep::Stay;
    }
    return RuleState(model).m_iStartJumps < 3 ? StartLineStep::Leap : StartLineStep::Stay;
}

void SlowScrollAfterLeap(CBattleModel& model) {
    RuleState(model).m_fScrollSpeed *= 1.0f - float(RuleState(model).m_iStartJumps) * 0.25f;
}

bool PassWorldDown(CBattleModel& model) {
    if (RuleState(model).m_bEndSequence) {
        for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
            if (r.IsMachine()) r.m_vPosition.y -= RuleState(model).m_fScrollSpeed;
        for (CCom_GameBullet& b : RuleState(model).m_lstBullets) b.m_vPosition.y -= RuleState(model).m_fScrollSpeed;
    }
    const CCom_GameRobot* jumper = FirstMarinerBot(model);
    int own = 0;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) own += r.IsMachine() ? 0 : 1;
    const bool down = jumper && jumper->m_vPosition.y == RuleState(model).m_aFieldCells[FIELD_ROWS - 1].m_fY;
    return (down || RuleState(model).m_iStartJumps >= 1) && own == 1;
}

void PlaceCagedRound(CBattleModel& model) {
    for (int column = 0; column < FIELD_COLUMNS; ++column) {
        const FieldCell& cell = RuleState(model).m_aFieldCells[column * FIELD_ROWS + FIELD_ROWS - 1];
        CCom_GameRobot* r = model.SpawnMiniGameRobot(column % 4 + 1, cell.m_fX, cell.m_fY, cell.m_fZ);
        if (!r) continue;
        // Each one inside the cage over its cell.
        const int type = r->Type();
        const float lift = type == RobotId::SurveyorBot ? 14.0f : type == RobotId::FloaterBot ? -1.0f : -22.0f;
        const VxVec3 at = GetRobotIconOffset(r->m_Unit, VxVec3{cell.m_fX, cell.m_fY + 67.625f + lift, cell.m_fZ});
        r->m_vPosition = r->m_vLastPosition = VxVec3{at.x, at.y, cell.m_fZ};
    }
}

void FireRobotsOfType(CBattleModel& model, int type) {
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (r.Type() == type && r.m_iHp > 0 && r.m_iActionTimer >= r.m_Unit.m_iActionInterval)
            r.BeginAttack(model, true);
}
