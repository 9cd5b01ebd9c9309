// The jump games: 157, where the Mariner Bot hops over and onto the Machines
// along the bottom row, and 167, where it leaps off the start line and climbs
// by stomping the airships below, then comes back down to the start line for
// the caged robots. The rules run in the model (JumpingRules.h); here are the
// jump input, the jumps the rules ask for, 167's start arrow and cages.
#include <algorithm>
#include <cmath>

#include "battle/model/JumpingRules.h"
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

}  // namespace

void CPageGame::DrawJumpStartArrow() {
    const CCom_GameRobot* jumper = ::FindJumper(m_Battle);
    if (!jumper) return;
    const bool waiting = m_bJumperWaited;
    // The arrow rides over the bobbing jumper, then rises off the screen.
    if (waiting) {
        m_fStartArrowY = jumper->m_vPosition.y + 30.0f;
    } else if (m_fStartArrowY < 0.6f * float(g_iScreenHeight)) {
        m_fStartArrowY = std::min(m_fStartArrowY + 10.0f, 0.6f * float(g_iScreenHeight));
    }
    if (m_Battle.State().m_iTimeLeft >= m_Battle.State().m_iStageFrames - 400) return;
    CVxBillboard* arrow = g_pGameAppInstance ? g_pGameAppInstance->m_apBbdInterface[6] : nullptr;
    if (!arrow) return;
    const int k = (m_Battle.State().m_iStageFrames - 400 - m_Battle.State().m_iTimeLeft) % 20;
    const float f = float(std::min(k, 20 - k)) / 20.0f;
    arrow->SaveState();
    arrow->SetPosition(jumper->m_vPosition.x - 5.0f, m_fStartArrowY, jumper->m_vPosition.z);
    arrow->SetDiffuse(f * 0.35f, f * 0.35f, 0.0f, 1.0f);
    arrow->RenderSRT();
    arrow->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    arrow->RestoreState();
}

void CPageGame::DrawRobotsAboveScreen() {
    CVxBillboard* arrow = g_pGameAppInstance ? g_pGameAppInstance->m_apBbdInterface[6] : nullptr;
    if (!arrow) return;
    const float top = 0.5f * float(g_iScreenHeight);
    for (const CCom_GameRobot& r : m_Battle.State().m_lstRobots) {
        if (r.IsMachine() || r.m_iHp <= 0 || r.m_vPosition.y <= top) continue;
        arrow->SaveState();
        arrow->SetPosition(r.m_vPosition.x, top - 0.5f * arrow->m_vSize.y, 0.0f);
        arrow->SetRotation(0.0f, 0.0f, 180.0f * kDeg);
        arrow->RenderSRT();
        arrow->RestoreState();
    }
}
