// Mini-games where the player aims or steers: the aimed shots of 152 and 162,
// dragging the controlled robot (154, 155, 156, 163, 166, 171, 174), picking
// items up by touch, firing charged robots and the capsule supply of 154.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_ItemTransToInterface.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "engine/InputRecord.h"
#include "engine/VxSound.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "content/UnitIds.h"
#include "content/StageRules.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kSteerStep = 5.0f;  // pixels a frame toward the mouse

bool LeftHeld() { return g_pApp && (g_pApp->m_aInput[0].m_aiKey[MOUSE_LEFT] & KEY_HELD) != 0; }

// The stages whose steering moves only the controlled robot.
bool SteersControlledRobot(int stage) {
    return stage == 156 || stage == 163 || stage == 166 || stage == 171 || stage == 174;
}

bool IsOwnLiveAttacker(const CCom_GameRobot& r) {
    return !r.IsMachine() && r.m_iHp > 0 && r.m_Unit.m_iRole == ROLE_ATTACK;
}

float StepToward(float from, float to, float step) { return from + std::clamp(to - from, -step, step); }

}  // namespace

CCom_GameRobot* CPageGame::SteeredRobot() {
    if (SteersControlledRobot(CurrentStage())) return m_apMiniGameRobots[0];
    for (CCom_GameRobot& r : m_lstRobots)
        if (IsOwnLiveAttacker(r)) return &r;
    return nullptr;
}

void CPageGame::FireAimedShots() {
    if (LeftHeld()) ++m_iHoldFrames;
    else m_iHoldFrames = 0;
    if (m_iHoldFrames < 16) return;
    const VxVec3 aim = CursorPoint();
    for (CCom_GameRobot* robot : m_apMiniGameRobots) {
        if (!robot || robot->m_iHp <= 0 || GetMiniGameChargeRatio(*robot) < 1.0f) continue;
        robot->BeginAttack(*this, false);
        RestartSound(robot->UnitSound(*this, 1));
        const VxVec3 from = robot->m_vLastPosition;
        const double angle = std::atan2(double(aim.y - from.y), double(aim.x - from.x));
        const float speed = float(robot->m_Weapon.m_iSpeed);
        CCom_GameBullet shot;
        shot.Setup(*this, robot->m_Unit.m_iWeapon, robot->m_iUnitSlot, from.x, from.y, from.z, NO_SERIAL,
                   robot->m_iSerial);
        shot.m_vVelocity = VxVec3{speed * float(std::cos(angle)), speed * float(std::sin(angle)), 0.0f};
        shot.m_vRotation = VxVec3{0.0f, 0.0f, float(angle - kPi / 2.0)};
        m_lstBullets.push_back(shot);
    }
}

void CPageGame::MoveMiniGameRobotY() {
    if (!LeftHeld()) return;
    CCom_GameRobot* robot = SteeredRobot();
    if (!robot) return;
    const float top = m_aFieldCells[0].m_fY, bottom = m_aFieldCells[FIELD_ROWS - 1].m_fY;
    const float y = std::clamp(StepToward(robot->m_vPosition.y, CursorPoint().y, kSteerStep), bottom, top);
    robot->m_vPosition.y = y;
    if (SteersControlledRobot(CurrentStage())) return;
    // The others of the squad keep in line with the first.
    for (CCom_GameRobot& r : m_lstRobots)
        if (&r != robot && IsOwnLiveAttacker(r)) r.m_vPosition.y = y;
}

void CPageGame::MoveMiniGameRobotX(bool setFacing) {
    if (!LeftHeld()) return;
    const int stage = CurrentStage();
    CCom_GameRobot* robot = SteeredRobot();
    if (!robot) return;
    const float step = stage == 157 && m_bOnGround ? 10.0f : kSteerStep;
    const float left = m_aFieldCells[0].m_fX, right = m_aFieldCells[(FIELD_COLUMNS - 1) * FIELD_ROWS].m_fX;
    const float before = robot->m_vPosition.x;
    const float x = std::clamp(StepToward(before, CursorPoint().x, step), left, right);
    const float dx = x - before;
    robot->m_vPosition.x = x;
    if (setFacing && dx != 0.0f) robot->m_bMirrored = dx > 0.0f ? 1 : 0;
    if (IsJumpStage(stage)) {
        const float tilt = robot->m_vRotation.z * float(180.0 / kPi) + dx / step;
        robot->m_vRotation.z = std::clamp(tilt, -15.0f, 15.0f) * float(kPi / 180.0);
    }
    if (robot->Type() == RobotId::MarinerBot && dx != 0.0f && m_bOnGround && m_pSfxSwim && !m_pSfxSwim->IsPlaying())
        m_pSfxSwim->Play();
    if (SteersControlledRobot(stage)) return;
    for (CCom_GameRobot& r : m_lstRobots)
        if (&r != robot && IsOwnLiveAttacker(r)) r.m_vPosition.x = x;
}

void CPageGame::CollectItemsByTouch() {
    for (const CCom_GameRobot& r : m_lstRobots) {
        if (!IsOwnLiveAttacker(r)) continue;
        for (auto it = m_lstItems.begin(); it != m_lstItems.end();) {
            const float dx = it->m_vPosition.x - r.m_vPosition.x, dy = it->m_vPosition.y - r.m_vPosition.y;
            if (std::sqrt(dx * dx + dy * dy) >= 50.0f) {
                ++it;
                continue;
            }
            const int kind = it->m_iItemKind;
            if (m_pEffectItemTransToInterface)
                m_pEffectItemTransToInterface->Add(kind, it->m_vPosition.x, it->m_vPosition.y, it->m_vPosition.z, 0.0f,
                                                   0.0f, 0.0f);
            PlayPickupSound(*it);
            if (kind >= ITEM_PARTS_0 && kind < ITEM_CAPSULE) m_iPanelTimer = 300;
            it = m_lstItems.erase(it);
        }
    }
}

void CPageGame::FireChargedRobots() {
    for (CCom_GameRobot& r : m_lstRobots)
        if (IsOwnLiveAttacker(r) && GetMiniGameChargeRatio(r) >= 1.0f) r.BeginAttack(*this, false);
}

void CPageGame::UpdateCapsuleSupply() {
    if (CurrentStage() != 154) return;
    int n = 0;
    for (const CCom_GameRobot& r : m_lstRobots) n += r.Type() == RobotId::CopterBot && !r.IsMachine();
    for (const CCom_GameItem& item : m_lstItems) n += item.m_iItemKind == ITEM_CAPSULE;
    const int quarter = m_iStageFrames / 4;
    if (n >= 3 || m_iTimeLeft <= 0 || m_iTimeLeft >= m_iStageFrames || quarter <= 0) return;
    if ((m_iStageFrames - m_iTimeLeft) % quarter == 0) DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, 0, true);
}
