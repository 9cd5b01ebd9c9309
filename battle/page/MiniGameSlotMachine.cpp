// The slot-machine mini-games (159, 165, 169, 176, 178): three reels of card
// codes turn under the field in place of the hand; a click on the stop button
// stops them right to left, and two or three equal symbols release capsules
// of that card at the right edge.
#include <algorithm>
#include <cmath>

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

// Every reel of a stage holds the same codes.
std::vector<int> ReelCodes(int stage) {
    switch (stage) {
    case 159: return {6, 6, 6, 6, 14, 14, 14, 20, 20};
    case 165: return {12, 12, 13, 13, 17, 17, 18, 18, 18, 18};
    case 169: return {3, 3, 3, 8, 8, 9, 9, 5, 5, 5};
    case 176: return {6, 6, 6, 6, 14, 14, 14, 20, 20, 26, 26};
    case 178: return {10, 10, 10, 29, 29, 29, 25, 25, 25, 18, 18};
    default: return {};
    }
}

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

void CPageGame::SetUpSlotReels() {
    const std::vector<int> codes = ReelCodes(CurrentStage());
    static const int kPeriods[SLOT_REELS] = {15, 17, 19};
    for (int i = 0; i < SLOT_REELS; ++i) {
        SlotReel& reel = m_aSlotReels[i];
        reel.m_vecCodes = codes;
        reel.m_iPosition = 0;
        reel.m_iPeriod = codes.empty() ? 0 : kPeriods[i];
        reel.m_bRunning = 0;
        reel.m_bStopped = 0;
    }
}

int CPageGame::GetReelSymbol(int reel, int offset) const {
    const SlotReel& r = m_aSlotReels[reel];
    const int length = int(r.m_vecCodes.size());
    if (length == 0) return -1;
    return r.m_vecCodes[size_t(((r.m_iPosition + length + offset) % length + length) % length)];
}

void CPageGame::UpdateSlotMachine() {
    if (!IsMiniGameGroup2(CurrentStage())) return;
    if (m_iBattleState == BATTLE_PLAYING) {
        const int frame = EngineFrame();
        for (int i = 0; i < SLOT_REELS; ++i) {
            SlotReel& reel = m_aSlotReels[i];
            const int length = int(reel.m_vecCodes.size());
            if (length == 0 || reel.m_iPeriod <= 0) continue;
            if (!(reel.m_bRunning || !reel.m_bStopped) || frame % reel.m_iPeriod != 0) continue;
            reel.m_iPosition = (reel.m_iPosition + 1) % length;
            if (reel.m_bRunning) continue;
            reel.m_bStopped = 1;
            bool allStopped = true;
            for (const SlotReel& r : m_aSlotReels) allStopped = allStopped && r.m_bStopped;
            if (!allStopped) {
                RestartSound(m_pSfxSlotSnap);
            } else {
                PayOutSlotMatch();
                m_iSlotSpinTimer = 180;
                if (m_pSfxSlotReel && m_pSfxSlotReel->IsPlaying()) m_pSfxSlotReel->Stop();
            }
        }
        if (m_iStateFrames == 0 && m_pSfxSlotReel && !m_pSfxSlotReel->IsPlaying()) m_pSfxSlotReel->Play();
    }
    if (m_iSlotLeverCooldown > 0) --m_iSlotLeverCooldown;
    if (m_iSlotSpinTimer > 0 && --m_iSlotSpinTimer == 0) {
        for (SlotReel& reel : m_aSlotReels) {
            reel.m_bRunning = 1;
            reel.m_bStopped = 0;
        }
        RestartSound(m_pSfxSlotReel);
    }
}

void CPageGame::PayOutSlotMatch() {
    int symbols[SLOT_REELS];
    for (int i = 0; i < SLOT_REELS; ++i) symbols[i] = GetReelSymbol(i, 0);
    bool matched = false;
    for (int i = 0; i < SLOT_REELS; ++i) {
        // Each code is counted once, at its first reel.
        bool seen = false;
        for (int j = 0; j < i; ++j) seen = seen || symbols[j] == symbols[i];
        if (seen || symbols[i] < 0) continue;
        int shown = 0;
        for (int j = 0; j < SLOT_REELS; ++j) shown += symbols[j] == symbols[i] ? 1 : 0;
        const int capsules = shown == 3 ? 3 : shown == 2 ? 1 : 0;
        if (capsules == 0) continue;
        matched = true;
        const int slot = FindHandCard(symbols[i]);
        // The capsules land around row 3 of the right-hand column.
        static const int kRows[3] = {3, 2, 4};
        for (int k = 0; k < capsules; ++k) {
            const FieldCell& cell = m_aFieldCells[9 * FIELD_ROWS + kRows[k]];
            DropItem(ITEM_CAPSULE, cell.m_fX, cell.m_fY, cell.m_fZ, slot, false);
        }
    }
    RestartSound(matched ? m_pSfxSlotMatch : m_pSfxSlotSnap);
}

void CPageGame::HandleSlotLeverInput() {
    if (!g_pApp || m_iBattleState != BATTLE_PLAYING || m_iCarriedCard != -1 || m_iSlotLeverCooldown != 0) return;
    InputRecord& in = g_pApp->m_aInput[0];
    for (int i = SLOT_REELS - 1; i >= 0; --i) {
        SlotReel& reel = m_aSlotReels[i];
        if (!reel.m_bRunning) continue;
        if (!(in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) return;
        // A click anywhere uses the press; only the button stops the reel.
        in.m_aiKey[MOUSE_LEFT] &= ~uint32_t(KEY_PRESSED);
        if (InStopButton(m_pSlotStopButton, CursorPoint())) {
            reel.m_bRunning = 0;
            RestartSound(m_pSfxSlotPullLever);
            m_iSlotLeverCooldown = 10;
        }
        return;
    }
}

void CPageGame::DrawSlotMachineBoard(float slide) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || m_bHudHidden || !m_apHandButtons[0]) return;
    const int frame = EngineFrame();
    const float row = m_apHandButtons[0]->m_vPosition.y - slide;

    bool anyRunning = false;
    for (const SlotReel& reel : m_aSlotReels) anyRunning = anyRunning || reel.m_bRunning;
    CVxBillboard* lever = m_pSlotStopButton;
    // The lever stands where it is drawn: that place is the stop button's box.
    if (lever) lever->SetPosition(kLeverX, row, 0.0f);
    const bool hovered = lever && m_iCarriedCard < 0 && m_iBattleState < BATTLE_REWARD && anyRunning &&
                         InStopButton(lever, CursorPoint());
    const float pulse = 0.06f + 0.06f * std::sin(float(frame) * 10.0f * kDegree);

    if (lever) {
        lever->SaveState();
        // A pull swings the lever down; it rises back as the cooldown runs out.
        const float swing = -3.0f * float(m_iSlotLeverCooldown);
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
        const SlotReel& reel = m_aSlotReels[i];
        if (!column || reel.m_vecCodes.empty() || reel.m_iPeriod <= 0) continue;
        float shift = 0.0f;
        if (m_iBattleState == BATTLE_PLAYING && reel.m_bRunning)
            shift = float(frame % reel.m_iPeriod) / float(reel.m_iPeriod) * kReelRowStep;
        for (int offset = -1; offset <= 1; ++offset) {
            const int code = GetReelSymbol(i, offset);
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
