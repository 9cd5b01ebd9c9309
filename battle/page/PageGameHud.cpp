// The battle's head-up display: pause button, stage label, time bar with its
// wave markers, life and energy, and the sliding metal-parts panel. Counters
// climb to a rise over 20 frames and show a fall at once.
#include <algorithm>
#include <cmath>
#include <string>

#include "game/Effect_ScaleAndDiffuseOut.h"
#include "battle/model/ItemFlights.h"
#include "battle/page/PageGame.h"
#include "content/StageKinds.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxNumber.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"

namespace {

// Draws a shared picture at a point; it keeps none of the change.
void DrawAt(CVxBillboard* picture, float x, float y, float scale = 1.0f) {
    if (!picture) return;
    picture->SaveState();
    if (scale != 1.0f) picture->ScaleSizeUniform(scale);
    picture->SetPosition(x, y, 0.0f);
    picture->RenderSRT();
    picture->RestoreState();
}

// Draws the shared number with its settings for this one call.
void DrawNumber(CVxNumber* number, int value, float x, float y, float spacing, int align, float scale) {
    if (!number) return;
    number->SaveState();
    const float oldSpacing = number->m_fSpacing;
    const int oldAlign = number->m_iAlign, oldDigits = number->m_nMinDigits;
    number->m_fSpacing = spacing;
    number->m_iAlign = align;
    number->m_nMinDigits = 1;
    if (scale != 1.0f) number->ScaleSizeUniform(scale);
    number->SetPosition(x, y, 0.0f);
    number->Draw(value);
    number->m_fSpacing = oldSpacing;
    number->m_iAlign = oldAlign;
    number->m_nMinDigits = oldDigits;
    number->RestoreState();
}

}  // namespace

void CPageGame::StepShownCounter(float (&shown)[3], float value) {
    float& last = shown[0];
    float& now = shown[1];
    float& start = shown[2];
    if (last < value) {
        start = now;
        last = value;
    } else if (last > value) {
        start = now = last = value;
    }
    if (now < value) {
        now = float(now + (value - start) / 20.0);
        if (now > value) now = value;
    }
}

void CPageGame::UpdateShownEnergy() { StepShownCounter(m_afShownEnergy, float(m_Battle.State().m_iEnergy)); }

void CPageGame::UpdateShownParts() { StepShownCounter(m_afShownParts, float(g_CurrentProfile.m_iMetalParts)); }

// The shared pictures of the counters stand where the battle keeps its panels
// (and the next battle finds them there).
void CPageGame::SetPartsPanelPosition(float x, float y) {
    m_Battle.SetPartsPanelPlace(VxVec3{x, y, 0.0f});
    if (g_pGameAppInstance && g_pGameAppInstance->m_apBbdInterface[3])
        g_pGameAppInstance->m_apBbdInterface[3]->SetPosition(x, y, 0.0f);
}

void CPageGame::DrawPartsPanel() {
    CGameApplication* app = g_pGameAppInstance;
    CVxBillboard* panel = app ? app->m_apBbdInterface[3] : nullptr;
    if (!panel) return;
    const VxVec3 at = m_Battle.State().m_vPartsPanelAt;
    panel->SetPosition(at.x, at.y, 0.0f);
    panel->RenderSRT();
    UpdateShownParts();
    DrawNumber(app->m_pNumInterface, int(m_afShownParts[1]), at.x + 65.0f, at.y, 16.0f, 1, 0.8f);
}

void CPageGame::DrawHud() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int stage = CurrentStage();
    const float s = HudDrop(m_Battle);

    // The page draws its buttons; the pause button only moves with the HUD.
    if (m_pPauseButton) m_pPauseButton->SetPosition(-405.0f, s + 269.0f, 0.0f);

    // Stage label.
    const float labelY = s + 282.0f;
    if (!IsMiniGameStage(stage)) {
        DrawAt(app->m_apBbdStage[1], -335.0f, labelY, 0.58f);
        DrawNumber(app->m_pNumInterface, ((stage - 1) % 50) / 10 + 1, -290.0f, labelY, 11.0f, 1, 0.6f);
        DrawAt(m_pHudDash, -290.0f + 16.0f, labelY, 0.6f);
        DrawNumber(app->m_pNumInterface, (stage - 1) % 10 + 1, -290.0f + 28.0f, labelY, 11.0f, -1, 0.6f);
    } else {
        DrawAt(app->m_apBbdStage[0], -325.0f, labelY, 0.58f);
        DrawAt(app->m_apBbdStage[1], -250.0f, labelY, 0.58f);
    }

    // Time bar.
    const float R = float(m_Battle.State().m_iTimeLeft), T = float(std::max(m_Battle.State().m_iStageFrames, 1));
    const float f = 0.04f + 0.93f * (1.0f - R / T);
    const float barY = s + 257.0f;
    CVxBillboard* frameArt = app->m_apBbdStage[2];
    const float W = frameArt ? frameArt->m_vSize.x : 0.0f;
    DrawAt(frameArt, -203.0f, barY);
    if (CVxBillboard* fill = app->m_apBbdStage[3]) {
        fill->SaveState();
        fill->ScaleSize2D(f, 1.0f);
        fill->SetTextureRect(0.0f, 0.3f, 0.7f * f, 0.1f);
        fill->SetPosition(-203.0f - (1.0f - f) * 0.5f * W, barY, 0.0f);
        fill->RenderSRT();
        fill->RestoreState();
    }

    // Wave markers: each waits on the bar and pops when its wave comes.
    const float xs = -203.0f - 0.46f * W, xe = 0.47f * W - 203.0f;
    const float elapsed = (T - R) / 60.0f;
    CVxBillboard* sign = app->m_apBbdInterface[0];
    const int waves = std::clamp(m_Battle.State().m_StageDefinition.m_nWaveTimes, 0, STAGE_WAVE_TIMES);
    for (int i = 0; i < waves; ++i) {
        const float w = float(m_Battle.State().m_StageDefinition.m_aiWaveTime[i]);
        const float p = w / (T / 60.0f);
        const float x = (1.0f - p) * xs + p * xe;
        if (elapsed < w) DrawAt(sign, x, barY);
        const bool pops = elapsed == w || (m_Battle.State().m_iTimeLeft == 1 && i == waves - 1);
        if (m_Battle.State().m_iTimeLeft > 0 && pops && m_pEffectScaleAndDiffuseOut)
            m_pEffectScaleAndDiffuseOut->Spawn(sign, x, barY, 0.0f, 1.0f, 2.0f);
    }
    if (m_pEffectScaleAndDiffuseOut) m_pEffectScaleAndDiffuseOut->Tick();

    if (KindOf(stage) == StageKind::ConveyorCatch) return;
    // Life.
    DrawAt(app->m_apBbdInterface[1], 158.0f, s + 269.0f);
    if (!m_Battle.State().m_StageDefinition.m_bLifeInPlay) {
        for (float x : {215.0f, 230.0f, 245.0f}) DrawAt(m_pHudDash, x, s + 272.0f);
    } else {
        DrawAt(m_pHudTimes, 197.0f, s + 272.0f);
        DrawNumber(app->m_pNumInterface, std::max(m_iShownLife, 0), 230.0f, s + 271.0f, 19.0f, -1, 1.0f);
    }
    // Energy, at the place the battle keeps for its icon.
    if (CVxBillboard* icon = app->m_apBbdInterface[2]) {
        icon->SetPosition(m_Battle.State().m_vEnergyPanelAt.x, m_Battle.State().m_vEnergyPanelAt.y,
                          m_Battle.State().m_vEnergyPanelAt.z);
        icon->RenderSRT();
    }
    if (!m_Battle.State().m_StageDefinition.m_bEnergyInPlay) {
        for (float x : {345.0f, 360.0f, 375.0f}) DrawAt(m_pHudDash, x, s + 272.0f);
    } else {
        DrawAt(m_pHudTimes, 330.0f, s + 272.0f);
        UpdateShownEnergy();
        DrawNumber(app->m_pNumInterface, int(m_afShownEnergy[1]), 363.0f, s + 271.0f, 19.0f, -1, 1.0f);
    }
}

void CPageGame::DrawDebugStats() {
    if (!g_pApp) return;
    auto line = [](const std::string& text, int x, int y) { g_pApp->DrawTextAt(text.c_str(), x, y, 1, 1, 1, 1); };
    const auto n = [](long v) { return std::to_string(v); };
    line("Life :  " + n(m_Battle.State().m_iLife) + "  /  " + n(m_Battle.State().m_iMaxLife), 300, 5);
    line("Time :  " + n(m_Battle.State().m_iTimeLeft / 60) + "  /  " + n(m_Battle.State().m_iStageFrames / 60), 300,
         25);
    line("Energy :  " + n(m_Battle.State().m_iEnergy), 400, 5);
    line("Robot :  " + n(long(m_Battle.State().m_lstRobots.size())), 500, 5);
    line("Bullet :  " + n(long(m_Battle.State().m_lstBullets.size())), 600, 5);
    line("Money :  " + n(g_CurrentProfile.m_iMetalParts), 10, 60);
    g_pApp->DrawCursorCoordinates();
}
