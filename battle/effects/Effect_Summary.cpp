#include "battle/effects/Effect_Summary.h"

#include <cmath>

#include "battle/effects/SummaryRules.h"
#include "battle/model/BattleScene.h"
#include "battle/model/BattleView.h"
#include "content/SaveProfile.h"
#include "content/StageKinds.h"
#include "content/StageNumbering.h"
#include "content/UnlockTables.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxNumber.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/MenuLink.h"
#include "game/PopupDrawing.h"

namespace {

bool Alive(const CVxEffect* effect) { return effect && effect->m_aInstances[0].life > 0; }

// The number widget with the summary's settings; it keeps none of them.
void DrawCount(CVxNumber* number, int value, float spacing, int align, float scale, float x, float y) {
    if (!number) return;
    const float oldSpacing = number->m_fSpacing;
    const int oldAlign = number->m_iAlign, oldMin = number->m_nMinDigits;
    number->SaveState();
    number->m_fSpacing = spacing;
    number->m_iAlign = align;
    number->m_nMinDigits = 1;
    if (scale != 1.0f) number->ScaleSize2D(scale, scale);
    number->SetPosition(x, y, 0.0f);
    number->Draw(value);
    number->RestoreState();
    number->m_fSpacing = oldSpacing;
    number->m_iAlign = oldAlign;
    number->m_nMinDigits = oldMin;
}

void PlaceAndRender(CVxButton* button, float x, float y) {
    if (!button) return;
    button->SetPosition(x, y, 0.0f);
    button->Render();
}

}  // namespace

CEffect_Summary::CEffect_Summary() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    for (CVxButton** b : {&m_pBtnMenu, &m_pBtnReplay, &m_pBtnNext}) {
        *b = new CVxButton(-1);
        (*b)->m_iOwnerId = m_iOwnerId;
        m_lstButtons.push_back(*b);
    }
    GiveButtonsFaces();
    if (CGameApplication* app = g_pGameAppInstance) m_iNextStage = app->m_iCurrentStage;
    m_bLabUnlockedAtStart = g_CurrentProfile.m_abFeatureUnlocked[FEATURE_LABORATORY] != 0;
    m_bUpgradeLabUnlockedAtStart = g_CurrentProfile.m_abFeatureUnlocked[FEATURE_ADVANCED_LABORATORY] != 0;
    for (int e = 0; e < 3; ++e) m_abEpisodeDoneAtStart[e] = g_CurrentProfile.m_aiAchievementProgress[6 + e] >= 1;
}

void CEffect_Summary::GiveButtonsFaces() {
    CGameApplication* app = g_pGameAppInstance;
    if (m_bButtonsHaveFaces || !app || !app->m_aButtonSets[BTN_MENU].m_apState[BUTTON_NORMAL]) return;
    m_bButtonsHaveFaces = true;
    const int sets[3] = {BTN_MENU, BTN_REPLAY, BTN_NEXT};
    CVxButton* buttons[3] = {m_pBtnMenu, m_pBtnReplay, m_pBtnNext};
    for (int i = 0; i < 3; ++i) {
        const CustomType& s = app->m_aButtonSets[sets[i]];
        CVxButton::SetStateTextures(buttons[i], s.m_apState[BUTTON_PRESS], s.m_apState[BUTTON_OVER],
                                    s.m_apState[BUTTON_DISABLE], s.m_apState[BUTTON_NORMAL]);
    }
}

void CEffect_Summary::MakeTitleWords() {
    if (m_apTitleWord[0]) return;
    m_apTitleWord[0] = MakeStageSheetWord(*this, 0.6f);
    if (m_apTitleWord[0]) m_apTitleWord[1] = MakeStageSheetWord(*this, 0.8f);
}

void CEffect_Summary::OnStart(int) {
    m_vPos = m_vStartPos;
    m_iBoardState = 0;
    m_bSwitchStarted = false;
    m_iSwitchCode = -1;
    m_bCounting = false;
    m_iCountStartAge = 0;
    GiveButtonsFaces();
}

bool CEffect_Summary::NextOffered() const {
    const CGameApplication* app = g_pGameAppInstance;
    return SummaryNextOffered(m_aInstances[0].kind == 1, app ? app->m_iMenuReturnScreen : -1);
}

void CEffect_Summary::DrawBoard(float x, float y) {
    CGameApplication* app = g_pGameAppInstance;
    const int stage = app->m_iCurrentStage;
    const bool miniGame = IsMiniGameStage(stage);
    const float d = miniGame ? 27.0f : 0.0f;
    DrawSharedPicture(app->m_pBbdMsgMedium, x, y + 35.0f);
    DrawSharedPicture(app->m_pBbdMsgTextBG, x, y + 10.0f, 1.1f, 0.6f);
    if (!miniGame)
        for (int i = -1; i <= 1; ++i) DrawSharedPicture(app->m_apBbdStar[1], x + 60.0f * float(i), y + 128.0f);
    for (int i = 0; i < 2; ++i) {
        CVxBillboard* fg = app->m_apBbdScoreSummary[i];
        if (!fg) continue;
        fg->SaveState();
        fg->ScaleSize2D(1.05f, 1.05f);
        fg->SetScale(-1.0f, 1.0f, 1.0f);
        fg->SetPosition(x + (i == 0 ? -135.0f : 135.0f), y + 35.0f + d, 0.0f);
        fg->RenderSRT();
        fg->RestoreState();
    }
    MakeTitleWords();
    const float row = y + 242.0f;
    if (miniGame) {
        DrawSharedPicture(m_apTitleWord[0], x - 121.0f, row, 0.6f, 0.6f);
        DrawSharedPicture(m_apTitleWord[1], x + 154.0f, row, 0.6f, 0.6f);
        return;
    }
    const int k = (stage - 1) % 10 + 1;
    const int area = ((stage - 1) % 50) / 10 + 1;
    const float X = x + (k < 10 ? -80.0f : -97.0f);
    DrawSharedPicture(m_apTitleWord[1], X, row, 0.6f, 0.6f);
    DrawCount(app->m_pNumStageBig, area, 45.0f, 1, 0.6f, X + 150.0f, row);
    DrawSharedPicture(app->m_apBbdStageDigit[1], X + 195.0f, row, 0.6f, 0.6f);
    DrawCount(app->m_pNumStageBig, k, 37.0f, -1, 0.6f, X + 245.0f, row);
}

void CEffect_Summary::DrawCounts(int f) {
    CGameApplication* app = g_pGameAppInstance;
    BattleView* view = m_pView;
    if (!view) return;
    const float x = m_vPos.x, y = m_vPos.y;
    const float d = IsMiniGameStage(app->m_iCurrentStage) ? 27.0f : 0.0f;
    const int shown[2] = {SummaryShownValue(view->RobotsLost(), f), SummaryShownValue(view->MachinesKilled(), f)};
    for (int i = 0; i < 2; ++i) {
        const float cx = x + (i == 0 ? -145.0f : 145.0f);
        DrawCount(app->m_pNumStageBig, shown[i], 50.0f, 0, 0.65f, cx, y - 81.0f + d);
        if (shown[i] == 0) continue;
        const int digits = int(std::floor(std::log10(double(shown[i])))) + 1;
        const float sx = (i == 0 ? x - 170.0f : x + 120.0f) - 25.0f * float(digits);
        DrawSharedPicture(app->m_apBbdStageDigit[1], sx, y - 81.0f + d, 0.65f, 0.65f);
    }
    if (f < SUMMARY_COUNT_FRAMES && (shown[0] > 0 || shown[1] > 0)) RestartSound(view->Drawn().m_pSfxCount);
}

void CEffect_Summary::DrawTitleAndStars(int f) {
    CGameApplication* app = g_pGameAppInstance;
    BattleView* view = m_pView;
    const float x = m_vPos.x, y = m_vPos.y;
    const bool won = m_aInstances[0].kind == 1;
    const float title = SummaryTitleScale(f);
    if (title > 0.0f) DrawSharedPicture(app->m_apBbdMsgHeader[won ? 3 : 4], x, y + 184.0f, title, title);
    if (f - 20 == 1 && view) RestartSound(view->Drawn().m_pSfxTextScaleIn);
    if (!won || IsMiniGameStage(app->m_iCurrentStage)) return;
    for (int i = 0; i < m_iStars && i < 3; ++i) {
        const SummaryStarLook s = SummaryStarAt(f, i);
        const float sx = x - 60.0f + 60.0f * float(i);
        if (s.sound && view) RestartSound(view->Drawn().m_pSfxStar);
        if (s.starScale <= 0.0f) continue;
        if (s.burst && app->m_pBbdStarBurst) {
            CVxBillboard* burst = app->m_pBbdStarBurst;
            burst->SaveState();
            burst->ScaleSize2D(s.burstScale, s.burstScale);
            burst->SetDiffuse(1.0f, 1.0f, 1.0f, s.burstAlpha);
            burst->SetPosition(sx, y + 128.0f, 0.0f);
            burst->RenderSRT();
            burst->RestoreState();
        }
        DrawSharedPicture(app->m_apBbdStar[0], sx, y + 128.0f, s.starScale, s.starScale);
    }
}

void CEffect_Summary::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || index != 0) return;
    const int age = m_aInstances[0].age;
    if (m_iBoardState == 0) m_vPos.y = std::max(m_vPos.y - float(SUMMARY_SLIDE_STEP), 0.0f);
    else m_vPos.y += float(SUMMARY_SLIDE_STEP);
    if (age == 0 && m_iBoardState == 0) {
        m_bBoardDrawn = false;
        if (app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Add(0);
    }
    if (!m_bBoardDrawn && BeginRenderToTexture(SUMMARY_BOARD_SLOT, true)) {
        DrawBoard(m_vPos.x, 0.0f);
        EndRenderToTexture();
        m_bBoardDrawn = true;
        ++m_nBoardRenders;
    }
    // Without a slot to keep it in, the board is drawn in place each frame.
    if (!(m_bBoardDrawn && ShowKeptContent(*app, SUMMARY_BOARD_SLOT, m_vPos))) DrawBoard(m_vPos.x, m_vPos.y);

    if (!m_bCounting && m_vPos.y <= 0.0f) {
        m_bCounting = true;
        m_iCountStartAge = age;
    }
    if (m_bCounting) {
        const int f = age - m_iCountStartAge;
        DrawCounts(f);
        DrawTitleAndStars(f);
    }
    if (NextOffered()) PlaceAndRender(m_pBtnNext, m_vPos.x, m_vPos.y - 210.0f);
    PlaceAndRender(m_pBtnMenu, m_vPos.x - 190.0f, m_vPos.y - 210.0f);
    PlaceAndRender(m_pBtnReplay, m_vPos.x + 190.0f, m_vPos.y - 210.0f);
    if (m_vPos.y > m_vStartPos.y) Leave();
}

void CEffect_Summary::Leave() {
    CGameApplication* app = g_pGameAppInstance;
    const SaveProfile& p = g_CurrentProfile;
    SummaryLeaveFacts facts{m_bLabUnlockedAtStart,
                            p.m_abFeatureUnlocked[FEATURE_LABORATORY] != 0,
                            m_bUpgradeLabUnlockedAtStart,
                            p.m_abFeatureUnlocked[FEATURE_ADVANCED_LABORATORY] != 0,
                            app->m_nEasyWinStreak,
                            app->m_nLossStreak,
                            p.m_abHintShown[5] != 0,
                            p.m_abHintShown[4] != 0,
                            m_iSwitchCode};
    if (const int box = SummaryLeaveBox(facts)) {
        Clear(0);
        // The box starts the page switch with the board's code when it closes.
        if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->Add(box);
        return;
    }
    if (!m_bSwitchStarted) {
        // Only a switch that was taken counts; a refused one is asked again next frame.
        if (app->m_pEffectSwitchPage && app->m_pEffectSwitchPage->Add(m_iSwitchCode) >= 0) m_bSwitchStarted = true;
        return;
    }
    if (!app->m_pEffectSwitchPage || app->m_pEffectSwitchPage->m_aInstances[0].life <= 1) {
        Clear(0);
        if (app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Clear(0);
    }
}

void CEffect_Summary::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    BattleView* view = m_pView;
    const EffectInstance& r = m_aInstances[0];
    if (!app || r.life <= 0) return;
    if (app->m_pEffectMsgBox && app->m_pEffectMsgBox->IsOpen()) return;
    if (m_iBoardState != 0 || m_vPos.y != 0.0f || Alive(app->m_pEffectSwitchPage)) return;
    const int stage = app->m_iCurrentStage;
    SaveProfile& p = g_CurrentProfile;
    const bool won = r.kind == 1;
    if (stage == 1 && p.m_iFurthestStage == 1 && view && !view->ResultTipShown() && won) {
        if (r.age <= 130) return;
        if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->Add(MSGBOX_TIP_STAGE_RESULTS);
        view->MarkResultTipShown();
        return;
    }
    const bool nextOffered = NextOffered();
    m_pBtnMenu->ProcessInput();
    m_pBtnReplay->ProcessInput();
    // A hidden Next takes no clicks.
    if (nextOffered) m_pBtnNext->ProcessInput();
    m_iNextStage = stage;
    if (won) AdvanceFurthestStage(NextStageId(stage));

    SummaryButton button;
    if (m_pBtnMenu->TakeClick()) button = SUMMARY_MENU;
    else if (m_pBtnReplay->TakeClick()) button = SUMMARY_REPLAY;
    else if (nextOffered && m_pBtnNext->TakeClick()) button = SUMMARY_NEXT;
    else return;

    NextPageFields fields{app->m_iMenuReturnScreen, app->m_bReturnToMenu, app->m_iNewArea, false};
    const int finale = FinaleEpisode(stage);
    const bool firstFinish =
        won && finale > 0 && !m_abEpisodeDoneAtStart[finale - 1] && p.m_aiAchievementProgress[5 + finale] >= 1;
    const NextPageChoice choice = DecideNextPage(button, stage, p, fields, firstFinish);
    app->m_iMenuReturnScreen = fields.returnSubScreen;
    app->m_bReturnToMenu = fields.returnFromBattle;
    app->m_iNewArea = fields.mapToAnnounce;
    if (fields.endOfEpisodePending && app->m_pEffectMsgBox) app->m_pEffectMsgBox->m_bEndOfEpisodePending = true;
    m_iNextStage = choice.nextStage;
    m_iSwitchCode = choice.switchCode;
    if (button == SUMMARY_MENU && app->m_pEffectNewAchievement) app->m_pEffectNewAchievement->ResetBoard();
    app->SaveProgress();
    m_iBoardState = 1;
}
