// Stage 177: carriers (Buoyer Bots) drift along the bottom row while robots
// come down by parachute; every robot that lands on a free carrier counts.
// Thirty caught wins; the clock running out loses.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_Paratrooper.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/VxBillboard.h"
#include "engine/VxNumber.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "platform/Random.h"
#include "engine/VxMath.h"

bool CompareRobotsForDrawing(const CCom_GameRobot& a, const CCom_GameRobot& b);

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

constexpr int kCatchGoal = 30;
constexpr int kCarrierCard = 23;
constexpr float kCarrierStep = 4.0f;
constexpr float kFallStep = 15.0f;
constexpr float kCatchReach = 45.0f;
// The hand records a paratrooper may carry: the dealt slot and the five unseen ones.
constexpr int kDropRecords = 6;

}  // namespace

void CPageGame::DropParatrooper() {
    // A draw that finds no robot card looks again, a bounded number of times:
    // a hand without one drops nothing rather than hanging the frame.
    for (int tries = 0; tries < 4 * kDropRecords; ++tries) {
        const int slot = int(VxRand() % kDropRecords);
        const int card = m_aHand[slot].m_iCard;
        if (card < 0 || m_aHandDefs[slot].m_iRole != ROLE_ATTACK) continue;
        if (m_pEffectParatrooper) m_pEffectParatrooper->Add(slot, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        return;
    }
}

void CPageGame::UpdateConveyorCatch() {
    if (CurrentStage() != 177) return;
    const bool playing = m_iBattleState == BATTLE_PLAYING;
    const int elapsed = m_iStageFrames - m_iTimeLeft;
    const bool clockRuns = m_iTimeLeft > 0 && m_iTimeLeft < m_iStageFrames;
    if (playing) {
        if (m_iCatchCount >= kCatchGoal) {
            m_iTimeLeft = 0;
            SetBattleState(BATTLE_REWARD);
            return;
        }
        if (m_iTimeLeft == 0) m_iLife = 0;
    }
    const FieldCell& bottomRight = m_aFieldCells[9 * FIELD_ROWS + 4];
    const float floorY = bottomRight.m_fY;
    if (playing && clockRuns && elapsed % 60 == 0 && VxRand() % 3 != 0) {
        if (CCom_GameRobot* carrier =
                SpawnMiniGameRobot(FindHandCard(kCarrierCard), bottomRight.m_fX + 150.0f, floorY, 0.0f)) {
            carrier->m_vPosition = VxVec3{bottomRight.m_fX + 150.0f, floorY, 0.0f};
        }
    }
    for (CCom_GameRobot& r : m_lstRobots) {
        if (r.m_Unit.m_iRole == ROLE_PLATFORM) r.m_vPosition.x -= kCarrierStep;
        if (!r.IsMachine() && r.m_vPosition.x < -500.0f) r.m_bExpired = 1;
    }
    if (playing && clockRuns) {
        if (elapsed % 180 == 0) DropParatrooper();
        if (elapsed % 420 == 0) DropParatrooper();
    }

    bool caught = false;
    for (CCom_GameRobot& r : m_lstRobots) {
        const int role = r.m_Unit.m_iRole;
        if (r.IsMachine() || r.m_iHp <= 0 || role == ROLE_ONESHOT || role == ROLE_PLATFORM) continue;
        if (r.m_iLinkedSerial != NO_SERIAL) continue;
        r.m_vPosition.y = std::max(r.m_vPosition.y - kFallStep, floorY);
        if (r.m_vPosition.y > floorY) continue;
        CCom_GameRobot* carrier = nullptr;
        for (CCom_GameRobot& c : m_lstRobots) {
            if (&c == &r || c.IsMachine() || c.m_Unit.m_iRole != ROLE_PLATFORM || c.m_bPlatformOccupied) continue;
            if (DistanceXY(c.m_vPosition, r.m_vPosition) < kCatchReach) {
                carrier = &c;
                break;
            }
        }
        if (!carrier) {
            r.TakeDamage(*this, 10000);
            continue;
        }
        r.m_iLinkedSerial = carrier->m_iSerial;
        r.m_iBobSourceSerial = carrier->m_iSerial;
        carrier->m_bPlatformOccupied = 1;
        ++m_iCatchCount;
        if (CVxSound* s = r.UnitSound(*this, 0)) {
            s->Stop();
            s->Play();
        }
        caught = true;
    }
    for (CCom_GameRobot& r : m_lstRobots) {
        if (r.IsMachine() || r.m_iLinkedSerial == NO_SERIAL) continue;
        if (const CCom_GameRobot* carrier = FindRobotBySerial(m_lstRobots, r.m_iLinkedSerial))
            r.m_vPosition = carrier->m_vPosition;
    }
    if (caught) m_lstRobots.sort(CompareRobotsForDrawing);
}

void CPageGame::DrawCatchCounter() {
    CGameApplication* app = g_pGameAppInstance;
    const int frame = EngineFrame();
    float slide = 0.0f;
    if (m_iBattleState == BATTLE_LOADING && frame - m_iStateEntryFrame < 30)
        slide = float(m_iStateEntryFrame + 30 - frame);
    else if (m_iBattleState == BATTLE_RESULT) slide = float(std::min(frame - m_iStateEntryFrame, 30));
    const float y = 264.0f + slide;
    for (const auto& [picture, x] : {std::pair{m_pMiniGamePanel, 275.0f}, std::pair{m_pParachuteIcon, 315.0f}}) {
        if (!picture) continue;
        picture->SaveState();
        picture->SetPosition(x, y, 0.0f);
        picture->RenderSRT();
        picture->RestoreState();
    }
    if (CVxNumber* number = app ? app->m_pNumInterface : nullptr) {
        number->SaveState();
        const float spacing = number->m_fSpacing;
        const int align = number->m_iAlign, digits = number->m_nMinDigits;
        number->m_fSpacing = 19.0f;
        number->m_iAlign = -1;
        number->m_nMinDigits = 1;
        number->SetPosition(353.0f, y, 0.0f);
        number->Draw(m_iCatchCount);
        number->m_fSpacing = spacing;
        number->m_iAlign = align;
        number->m_nMinDigits = digits;
        number->RestoreState();
    }
}
