// The slot-machine mini-games (159, 165, 169, 176, 178): three reels of card
// codes turn under the field in place of the hand; a click on the stop button
// stops them right to left, and two or three equal symbols release capsules
// of that card at the right edge.
#include <algorithm>
#include <cmath>

#include "battle/model/SlotMachineRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameItem.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

constexpr float kReelRowStep = 91.0f;
constexpr float kLeverX = 170.0f;
constexpr float kDegree = 0.017453292519943295f;
// The reels show through the body's and the frame's glass, which the art cuts
// from 50 below to 48 above the row: the cards are cut off there.
constexpr float kWindowBelow = 50.0f;
constexpr float kWindowAbove = 48.0f;

// The stop button's box reaches 0.2 of its size left and below its place and
// 0.5 right and above.
bool InStopButton(const CVxBillboard* button, const VxVec3& at) {
    if (!button) return false;
    const VxVec3& p = button->m_vPosition;
    const VxVec3& s = button->m_vSize;
    return at.x >= p.x - 0.2f * s.x && at.x <= p.x + 0.5f * s.x && at.y >= p.y - 0.2f * s.y && at.y <= p.y + 0.5f * s.y;
}

// Draws the part of a reel's card that lies between bottom and top.
void DrawInWindow(CVxBillboard* picture, float x, float y, float z, float scale, float light, float bottom, float top) {
    if (!picture) return;
    picture->SaveState();
    const float v0 = picture->m_fV0, v1 = picture->m_fV1;
    if (scale != 1.0f) picture->ScaleSizeUniform(scale);
    const float h = picture->m_vSize.y;
    const float lo = std::max(y - 0.5f * h, bottom), hi = std::min(y + 0.5f * h, top);
    if (h > 0.0f && hi > lo) {
        // The picture's v runs down from its top edge.
        picture->m_fV0 = v0 + (y + 0.5f * h - hi) / h * (v1 - v0);
        picture->m_fV1 = v0 + (y + 0.5f * h - lo) / h * (v1 - v0);
        picture->SetSize(picture->m_vSize.x, hi - lo, 1.0f);
        picture->SetDiffuse(light, light, light, 1.0f);
        picture->SetZTest(true);
        picture->SetZWrite(true);
        picture->SetPosition(x, 0.5f * (lo + hi), z);
        picture->RenderSRT();
    }
    picture->m_fV0 = v0;
    picture->m_fV1 = v1;
    picture->RestoreState();
}

}  // namespace

void CPageGame::HandleSlotLeverInput() {
    if (!g_pApp || !SlotLeverReady(m_Battle)) return;
    InputRecord& in = g_pApp->m_aInput[0];
    const int reel = NextReelToStop(m_Battle);
    if (reel < 0 || !(in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) return;
    // A click anywhere uses the press; only the button stops the reel.
    in.m_aiKey[MOUSE_LEFT] &= ~uint32_t(KEY_PRESSED);
    if (InStopButton(m_pSlotStopButton, CursorPoint())) ApplyCommand(StopReel{reel});
}

void CPageGame::DrawSlotMachineBoard(float slide) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || m_bHudHidden || !m_apHandButtons[0]) return;
    const int frame = EngineFrame();
    const float row = m_apHandButtons[0]->m_vPosition.y - slide;

    bool anyRunning = false;
    for (const SlotReel& reel : m_Battle.State().m_aSlotReels) anyRunning = anyRunning || reel.m_bRunning;
    CVxBillboard* lever = m_pSlotStopButton;
    // The lever stands where it is drawn: that place is the stop button's box.
    if (lever) lever->SetPosition(kLeverX, row, 0.0f);
    const bool hovered = lever && m_Battle.State().m_iCarriedCard < 0 &&
                         m_Battle.State().m_iBattleState < BATTLE_REWARD && anyRunning &&
                         InStopButton(lever, CursorPoint());
    const float pulse = 0.06f + 0.06f * std::sin(float(frame) * 10.0f * kDegree);

    if (lever) {
        lever->SaveState();
        // A pull swings the lever down; it rises back as the cooldown runs out.
        const float swing = -3.0f * float(m_Battle.State().m_iSlotLeverCooldown);
        lever->SetRotationDegrees(0.0f, 0.0f, 45.0f + swing);
        if (hovered) lever->SetEmissive(pulse, pulse, pulse, 1.0f);
        lever->RenderSRT();
        lever->RestoreState();
    }
    if (CVxBillboard* body = m_pSlotReelArt) {
        body->SaveState();
        body->SetZTest(true);
        body->SetZWrite(true);
        body->SetPosition(0.0f, row - 5.0f, -2.0f);
        body->RenderSRT();
        body->RestoreState();
    }
    for (int i = 0; i < SLOT_REELS; ++i) {
        const CVxButton* column = m_apHandButtons[i];
        const SlotReel& reel = m_Battle.State().m_aSlotReels[i];
        if (!column || reel.m_vecCodes.empty() || reel.m_iPeriod <= 0) continue;
        float shift = 0.0f;
        if (m_Battle.State().m_iBattleState == BATTLE_PLAYING && reel.m_bRunning)
            shift = float(frame % reel.m_iPeriod) / float(reel.m_iPeriod) * kReelRowStep;
        for (int offset = -1; offset <= 1; ++offset) {
            const int code = GetReelSymbol(m_Battle, i, offset);
            if (code < 0 || code >= ROBOT_TYPES) continue;
            const float x = column->m_vPosition.x;
            const float y = row + float(offset) * kReelRowStep - shift;
            // The symbols above and below the pay line show dimmed through the glass.
            const float light = offset == 0 ? 1.0f : 0.45f;
            const float bottom = row - kWindowBelow, top = row + kWindowAbove;
            DrawInWindow(app->m_pBbdCardBG, x, y, -4.0f, 1.0f, light, bottom, top);
            DrawInWindow(app->m_apBbdCard[code], x, y, -5.0f, code == 17 ? 0.7f : 1.0f, light, bottom, top);
        }
    }
    // The frame rims the glass, over the reels.
    if (CVxBillboard* frameArt = m_pSlotFrame) {
        frameArt->SaveState();
        frameArt->ScaleSize2D(1.03f, 0.95f);
        frameArt->SetPosition(11.0f, row - 1.0f, -6.0f);
        frameArt->SetZTest(true);
        if (hovered) frameArt->SetEmissive(pulse, pulse, pulse, 1.0f);
        frameArt->RenderSRT();
        frameArt->RestoreState();
    }
}
