#include "game/Effect_Exit.h"

#include "game/PopupDrawing.h"

#include "content/StageNumbering.h"
#include "engine/InputRecord.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxFont.h"
#include "engine/VxPage.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "game/BattleLink.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/MenuLink.h"
#include "platform/D3DApplication.h"

namespace {

// Pressed this frame on any device; the key's records are used up either way.
bool TakeKeyPress(CGameApplication& app, int key) {
    bool pressed = false;
    for (InputRecord& input : app.m_aInput) pressed = pressed || (input.m_aiKey[key] & KEY_PRESSED) != 0;
    if (pressed) {
        for (InputRecord& input : app.m_aInput) {
            input.m_aiKey[key] = 0;
            input.m_aiRepeat[key] = 0;
        }
    }
    return pressed;
}

void ResetButtonInput(CVxButton* button) {
    if (!button) return;
    button->m_iStatus = BUTTON_NORMAL;
    button->m_iClickCooldown = 0;
    button->m_bClickTaken = true;
    button->m_iOwnerDevice = -1;
    button->m_iPressFrames = 0;
}

}  // namespace

const char* ExitBoxBody(bool onBattlePage) {
    return onBattlePage ? "   Progress in this level will be lost.\n\t\t\tDo you want to exit?"
                        : "\t\t\tDo you want to exit?";
}

CEffect_Exit::CEffect_Exit() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pButtonOk = new CVxButton(-1);
    m_pButtonCancel = new CVxButton(-1);
    m_lstButtons.push_back(m_pButtonOk);
    m_lstButtons.push_back(m_pButtonCancel);
    for (CVxButton* b : {m_pButtonOk, m_pButtonCancel}) {
        b->SetPosition(9999.0f, 9999.0f, 0.0f);
        b->m_pBoard = this;
    }
    m_bOwnsStill = false;
    m_bPictureReady = false;
}

void CEffect_Exit::OnStart(int) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const CustomType& ok = app->m_aButtonSets[BTN_OK];
    const CustomType& cancel = app->m_aButtonSets[BTN_CANCEL];
    CVxButton::SetStateTextures(m_pButtonOk, ok.m_apState[BUTTON_PRESS], ok.m_apState[BUTTON_OVER],
                                ok.m_apState[BUTTON_DISABLE], ok.m_apState[BUTTON_NORMAL]);
    CVxButton::SetStateTextures(m_pButtonCancel, cancel.m_apState[BUTTON_PRESS], cancel.m_apState[BUTTON_OVER],
                                cancel.m_apState[BUTTON_DISABLE], cancel.m_apState[BUTTON_NORMAL]);

    if (!app->m_bCaptureStill && !app->m_bShowStill) {
        app->m_bCaptureStill = true;
        m_bOwnsStill = true;
    }
    const bool soundsPaused = app->m_pResourceManager && app->m_pResourceManager->m_bSoundsPaused;
    if (app->m_iCurrentPage != MENU_PAGE_INDEX && !soundsPaused) {
        if (app->m_pResourceManager) app->m_pResourceManager->PauseSounds();
        if (CVxPage* page = app->CurrentPage())
            if (page->m_pResourceManager) page->m_pResourceManager->PauseSounds();
    }
    ResetButtonInput(m_pButtonOk);
    ResetButtonInput(m_pButtonCancel);
    RestartSound(app->m_pSndMsgBox);
}

void CEffect_Exit::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (m_aInstances[index].age == 0) m_bPictureReady = false;
    const bool onBattle = app->m_iCurrentPage == BATTLE_PAGE_INDEX;

    // The panel is drawn into its render-target slot once per opening and
    // shown from there; without the slot it is drawn straight to the screen.
    if (!m_bPictureReady && BeginRenderToTexture(EXIT_BOX_SLOT, true)) {
        DrawPanel(onBattle);
        EndRenderToTexture();
        m_bPictureReady = true;
    }
    if (!(m_bPictureReady && ShowKeptContent(*app, EXIT_BOX_SLOT, VxVec3{0.0f, 0.0f, 0.0f}))) DrawPanel(onBattle);

    m_pButtonOk->SetPosition(100.0f, -60.0f, 0.0f);
    m_pButtonOk->Render();
    m_pButtonCancel->SetPosition(-100.0f, -60.0f, 0.0f);
    m_pButtonCancel->Render();
}

void CEffect_Exit::DrawPanel(bool onBattle) {
    CGameApplication* app = g_pGameAppInstance;
    if (CVxBillboard* back = app->m_pBbdMsgTextBG) {
        back->SaveState();
        back->SetSize(1.5f * float(g_iScreenWidth), 1.5f * float(g_iScreenHeight), 1.0f);
        back->SetPosition(0.0f, 0.0f, 0.0f);
        back->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
        back->RenderSRT();
        back->RestoreState();
    }
    if (CVxBillboard* panel = app->m_pBbdMsgSmall) {
        panel->SaveState();
        panel->SetPosition(0.0f, 0.0f, 0.0f);
        panel->RenderSRT();
        panel->RestoreState();
    }
    CVxFont* font = app->m_pFontStandard;
    if (!font) return;
    font->SaveState();
    const int align = font->m_iAlign;
    const int wrap = font->m_iWrapWidth;
    font->SetSize2D(0.75f);
    font->SetPosition(0.0f, 140.0f, 0.0f);
    font->m_iAlign = 0;
    font->m_iWrapWidth = -1;
    font->DrawText("Exit the Game");
    font->SetSize2D(0.6f);
    font->SetPosition(-240.0f, onBattle ? 90.0f : 75.0f, 0.0f);
    font->m_iAlign = 1;
    font->m_iWrapWidth = 500;
    font->DrawText(ExitBoxBody(onBattle));
    font->m_iAlign = align;
    font->m_iWrapWidth = wrap;
    font->RestoreState();
}

void CEffect_Exit::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !IsOpen()) return;
    m_pButtonOk->ProcessInput();
    m_pButtonCancel->ProcessInput();
    if (m_pButtonOk->TakeClick() || TakeKeyPress(*app, VK_RETURN_KEY)) {
        Confirm();
        return;
    }
    if (m_pButtonCancel->TakeClick() || TakeKeyPress(*app, VK_ESCAPE_KEY)) Cancel();
}

void CEffect_Exit::OpenOnRequest() {
    if (!m_bRequested) return;
    m_bRequested = 0;
    if (!IsOpen()) Add(0);
}

bool PopupsLetExitBoxOpen() {
    const CGameApplication* app = g_pGameAppInstance;
    if (!app) return false;
    if (app->m_pEffectSwitchPage && app->m_pEffectSwitchPage->m_aInstances[0].life > 0) return false;
    const CEffect_MsgBox* box = app->m_pEffectMsgBox;
    if (box && box->IsOpen() && (box->m_bSwitching != 0 || box->SlideY() > 0.0f)) return false;
    const CEffect_NewAchievement* board = app->m_pEffectNewAchievement;
    if (board && board->m_bShowing && (board->m_bClosing != 0 || board->m_vSlideOffset.y > float(ACHIEVEMENT_REST_Y)))
        return false;
    return true;
}

void CEffect_Exit::Confirm() {
    CGameApplication* app = g_pGameAppInstance;
    if (app->m_iCurrentPage == BATTLE_PAGE_INDEX && app->m_pPageGame) {
        const bool switching = app->m_pEffectSwitchPage && app->m_pEffectSwitchPage->m_aInstances[0].life > 0;
        // Leaving from a won stage's board keeps the progress.
        if (app->m_pPageGame->IsSummaryWonAwaitingChoice() && !switching)
            AdvanceFurthestStage(NextStageId(app->m_iCurrentStage));
    }
    app->SaveProgress();
    g_bQuitRequested = true;
}

void CEffect_Exit::Cancel() {
    CGameApplication* app = g_pGameAppInstance;
    const bool soundsPaused = app->m_pResourceManager && app->m_pResourceManager->m_bSoundsPaused;
    const bool msgBoxOpen = app->m_pEffectMsgBox && app->m_pEffectMsgBox->IsOpen();
    if (soundsPaused && (m_bOwnsStill || (app->m_iCurrentPage == BATTLE_PAGE_INDEX && !msgBoxOpen)))
        app->ResumeAllSounds();
    if (m_bOwnsStill) {
        app->m_bCaptureStill = false;
        app->m_bShowStill = false;
        m_bOwnsStill = false;
    }
    Clear(0);
    if (app->m_iCurrentPage == MENU_PAGE_INDEX && app->m_pPageMenu) app->m_pPageMenu->HoldOffInput(5);
    RestartSound(app->m_pSndBtnClick);
}
