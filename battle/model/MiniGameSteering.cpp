// Mini-games where the player aims or steers: the aimed shots of 152 and 162,
// dragging the controlled robot (154, 155, 156, 163, 166, 171, 174), picking
// items up by touch, firing charged robots and the capsule supply of 154.
#include <algorithm>
#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/ItemFlights.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "engine/VxSound.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kSteerStep = 5.0f;  // pixels a frame toward the mouse
constexpr int kAimHoldFrames = 16;

// The stages whose steering moves only the controlled robot.
bool SteersControlledRobot(int stage) {
    const MiniGameMode mode = ModeOf(stage);
    return KindOf(stage) == StageKind::Steering && mode != MiniGameMode::CapsuleSupply &&
           mode != MiniGameMode::BothSides;
}

bool IsOwnLiveAttacker(const CCom_GameRobot& r) {
    return !r.IsMachine() && r.m_iHp > 0 && r.m_Unit.m_iRole == ROLE_ATTACK;
}

float StepToward(float from, float to, float step) { return from + std::clamp(to - from, -step, step); }

}  // namespace

CCom_GameRobot* SteeredRobot(CBattleModel& model) {
    if (SteersControlledRobot(model.StageNumber())) return RuleState(model).m_apMiniGameRobots[0];
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (IsOwnLiveAttacker(r)) return &r;
    return nullptr;
}

bool CountAimHold(CBattleModel& model, bool held) {
    if (held) ++RuleState(model).m_iHoldFrames;
    else RuleState(model).m_iHoldFrames = 0;
    return RuleState(model).m_iHoldFrames >= kAimHoldFrames;
}

void FireShotsAt(CBattleModel& model, const VxVec3& aim) {
    for (CCom_GameRobot* robot : RuleState(model).m_apMiniGameRobots) {
        if (!robot || robot->m_iHp <= 0 || MiniGameChargeRatio(model, *robot) < 1.0f) continue;
        robot->BeginAttack(model, false);
        RestartSound(robot->UnitSound(model, 1));
        const VxVec3 from = robot->m_vLastPosition;
        const double angle = std::atan2(double(aim.y - from.y), double(aim.x - from.x));
        const float speed = float(robot->m_Weapon.m_iSpeed);
        CCom_GameBullet shot(model);
        shot.Setup(model, robot->m_Unit.m_iWeapon, robot->m_iUnitSlot, from.x, from.y, from.z, NO_SERIAL,
                   robot->m_iSerial);
        shot.m_vVelocity = VxVec3{speed * float(std::cos(angle)), speed * float(std::sin(angle)), 0.0f};
        shot.m_vRotation = VxVec3{0.0f, 0.0f, float(angle - kPi / 2.0)};
        RuleState(model).m_lstBullets.push_back(shot);
    }
}

void SteerRobotY(CBattleModel& model, float towardY) {
    CCom_GameRobot* robot = SteeredRobot(model);
    if (!robot) return;
    const float top = RuleState(model).m_aFieldCells[0].m_fY,
                bottom = RuleState(model).m_aFieldCells[FIELD_ROWS - 1].m_fY;
    const float y = std::clamp(StepToward(robot->m_vPosition.y, towardY, kSteerStep), bottom, top);
    robot->m_vPosition.y = y;
    if (SteersControlledRobot(model.StageNumber())) return;
    // The others of the squad keep in line with the first.
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (&r != robot && IsOwnLiveAttacker(r)) r.m_vPosition.y = y;
}

void SteerRobotX(CBattleModel& model, float towardX, bool setFacing) {
    const int stage = model.StageNumber();
    CCom_GameRobot* robot = SteeredRobot(model);
    if (!robot) return;
    const float step = ModeOf(stage) == MiniGameMode::Swim && RuleState(model).m_bOnGround ? 10.0f : kSteerStep;
    const float left = RuleState(model).m_aFieldCells[0].m_fX;
    const float right = RuleState(model).m_aFieldCells[(FIELD_COLUMNS - 1) * FIELD_ROWS].m_fX;
    const float before = robot->m_vPosition.x;
    const float x = std::clamp(StepToward(before, towardX, step), left, right);
    const float dx = x - before;
    robot->m_vPosition.x = x;
    if (setFacing && dx != 0.0f) robot->m_bMirrored = dx > 0.0f ? 1 : 0;
    if (IsJumpStage(stage)) {
        const float tilt = robot->m_vRotation.z * float(180.0 / kPi) + dx / step;
        robot->m_vRotation.z = std::clamp(tilt, -15.0f, 15.0f) * float(kPi / 180.0);
    }
    CVxSound* swim = model.Scene().m_pSfxSwim;
    if (robot->Type() == RobotId::MarinerBot && dx != 0.0f && RuleState(model).m_bOnGround && swim &&
        !swim->IsPlaying())
        swim->Play();
    if (SteersControlledRobot(stage)) return;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (&r != robot && IsOwnLiveAttacker(r)) r.m_vPosition.x = x;
}

void CollectItemsByTouch(CBattleModel& model) {
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (!IsOwnLiveAttacker(r)) continue;
        for (auto it = RuleState(model).m_lstItems.begin(); it != RuleState(model).m_lstItems.end();) {
            const float dx = it->m_vPosition.x - r.m_vPosition.x, dy = it->m_vPosition.y - r.m_vPosition.y;
            if (std::sqrt(dx * dx + dy * dy) >= 50.0f) {
                ++it;
                continue;
            }
            const int kind = it->m_iItemKind;
            LaunchItemFlight(model, kind, it->m_vPosition);
            model.PlayPickupSound(*it);
            if (kind >= ITEM_PARTS_0 && kind < ITEM_CAPSULE) RuleState(model).m_iPanelTimer = PARTS_PANEL_OUT_FRAMES;
            it = RuleState(model).m_lstItems.erase(it);
        }
    }
}

void FireChargedRobots(CBattleModel& model) {
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (IsOwnLiveAttacker(r) && MiniGameChargeRatio(model, r) >= 1.0f) r.BeginAttack(model, false);
}

void UpdateCapsuleSupply(CBattleModel& model) {
    if (ModeOf(model.StageNumber()) != MiniGameMode::CapsuleSupply) return;
    int n = 0;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) n += r.Type() == RobotId::CopterBot && !r.IsMachine();
    for (const CCom_GameItem& item : RuleState(model).m_lstItems) n += item.m_iItemKind == ITEM_CAPSULE;
    const int quarter = RuleState(model).m_iStageFrames / 4;
    if (n >= 3 || RuleState(model).m_iTimeLeft <= 0 ||
        RuleState(model).m_iTimeLeft >= RuleState(model).m_iStageFrames || quarter <= 0)
        return;
    if ((RuleState(model).m_iStageFrames - RuleState(model).m_iTimeLeft) % quarter == 0)
        model.DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, 0, true);
}
