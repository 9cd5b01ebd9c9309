// The mini-game list: the thirty mini-games in groups of ten for replay.
#include <cmath>
#include <cstdio>

#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "frontend/MenuRules.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"

namespace {

constexpr int kGroupSize = 10;
constexpr int kColumns = 5;
constexpr float kOriginX = -195.0f;
constexpr float kOriginY = 80.0f;
constexpr float kColumnSpacing = 140.0f;
constexpr float kRowSpacing = 180.0f;
constexpr float kGroupSpacing = 600.0f;
constexpr float kStep = 20.0f;
constexpr int kBattlePageCode = 3;
constexpr float kLockSize = 102.4f;

}  // namespace

void CPageMenu::LoadMiniGames() {
    for (int i = 0; i < MINI_GAMES; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Bbd_MiniGame%02d.png", i + 1);
        m_apMiniGamePicture[i] = MenuPicture(name);
    }
    m_pMiniGameFrame = MenuPicture("Bbd_MiniGameFrame.png");
    const float w = m_pMiniGameFrame ? m_pMiniGameFrame->m_vSize.x : 128.0f;
    const float h = m_pMiniGameFrame ? m_pMiniGameFrame->m_vSize.y : 128.0f;
    for (int i = 0; i < MINI_GAMES; ++i) {
        CVxButton* b = HandledButton(MENU_MINIGAME);
        m_apMiniGameButton[i] = b;
        if (!b) continue;
        b->m_iHitHalfWidth = int(w * 0.5f);
        b->m_iHitHalfHeight = int(h * 0.5f);
        b->SetPositionV(m_avMiniGameTarget[i]);
    }
}

void CPageMenu::EnterMiniGames() {
    const SaveProfile& p = g_CurrentProfile;
    m_nMiniGameGroups = MiniGameGroupCount(p.m_aiAchievementProgress[7], p.m_aiAchievementProgress[8]);
    m_iMiniGameGroup = 0;
    m_iMiniGameScroll = -1;
    for (int i = 0; i < MINI_GAMES; ++i) {
        const int g = i / kGroupSize;
        const int k = i % kGroupSize;
        const float x = kOriginX + kColumnSpacing * float(k % kColumns);
        const float y = kOriginY - kRowSpacing * float(k / kColumns) - kGroupSpacing * float(g);
        m_avMiniGameTarget[i] = VxVec3{x, y, 0.0f};
    }
}

void CPageMenu::StepMiniGameGroup(int direction) {
    if (direction == 1) {
        if (++m_iMiniGameGroup > m_nMiniGameGroups - 1) {
            m_iMiniGameGroup = m_nMiniGameGroups - 1;
            return;
        }
        for (VxVec3& t : m_avMiniGameTarget) t.y += kGroupSpacing;
    } else {
        if (--m_iMiniGameGroup < 0) {
            m_iMiniGameGroup = 0;
            return;
        }
        for (VxVec3& t : m_avMiniGameTarget) t.y -= kGroupSpacing;
    }
}

void CPageMenu::UpdateMiniGames() {
    float f = 1.0f;
    if (m_iChangeState == 1) f = m_iChangeCountdown > 0 ? float(m_iChangeCountdown + 1) / 15.0f : 0.0f;
    else if (m_iChangeCountdown > 0) f = float(MENU_CHANGE_FRAMES - m_iChangeCountdown) / 15.0f;
    if (m_pBlackScreen) {
        m_pBlackScreen->SaveState();
        m_pBlackScreen->ScaleSize2D(1.22f, 0.4f);
        m_pBlackScreen->SetPosition(80.0f, -5.0f, 0.0f);
        m_pBlackScreen->SetDiffuse(1.0f, 1.0f, 1.0f, 0.7f * f);
        m_pBlackScreen->RenderSRT();
        m_pBlackScreen->RestoreState();
    }

    const int open = GetOpenMiniGameCount();
    const bool idle = m_iMiniGameScroll == -1;
    for (int i = 0; i < MINI_GAMES; ++i) {
        CVxButton* b = m_apMiniGameButton[i];
        if (!b) continue;
        b->MarkDrawn();  // its picture is drawn on it below
        const bool inGroupRange = m_iMiniGameGroup == 0 ? i < kGroupSize : i >= kGroupSize;
        if (i < open && idle && inGroupRange) {
            if (b->m_iStatus == BUTTON_DISABLE) b->m_iStatus = BUTTON_NORMAL;
        } else {
            b->m_iStatus = BUTTON_DISABLE;
        }
    }
    if (!idle) {
        for (int i = 0; i < MINI_GAMES; ++i) {
            CVxButton* b = m_apMiniGameButton[i];
            if (!b) continue;
            const float y = b->m_vPosition.y;
            const float ty = m_avMiniGameTarget[i].y;
            const float ny = std::fabs(ty - y) < kStep ? ty : y + (ty > y ? kStep : -kStep);
            b->SetPosition(m_avMiniGameTarget[i].x + m_fSlideX, ny, 0.0f);
        }
        CVxButton* last = m_apMiniGameButton[MINI_GAMES - 1];
        if (!last || std::fabs(last->m_vPosition.y - m_avMiniGameTarget[MINI_GAMES - 1].y) < kStep) {
            m_iMiniGameScroll = -1;
            m_vDragVelocity = VxVec3{};
        }
    } else {
        for (int i = 0; i < MINI_GAMES; ++i)
            if (m_apMiniGameButton[i])
                m_apMiniGameButton[i]->SetPosition(m_avMiniGameTarget[i].x + m_fSlideX, m_avMiniGameTarget[i].y, 0.0f);
    }

    for (int i = 0; i < MINI_GAMES; ++i) {
        CVxButton* b = m_apMiniGameButton[i];
        if (!b) continue;
        const float grow = b->m_iStatus == BUTTON_OVER ? 1.1f : 1.0f;
        FramedEntryLook look;
        look.frame = m_pMiniGameFrame;
        look.pictureScale = 0.9f * grow;
        look.frameScale = 0.985f * grow;
        look.alpha = b->m_iStatus == BUTTON_DISABLE ? 0.5f : 1.0f;
        look.lockSize = i >= open && std::fabs(b->m_vPosition.y) < 700.0f ? kLockSize : 0.0f;
        DrawFramedEntry(m_apMiniGamePicture[i], b->m_vPosition, look);
    }
    if (m_iMiniGameGroup > 0) DrawListArrow(LIST_ARROW_UP);
    if (m_iMiniGameGroup < m_nMiniGameGroups - 1) DrawListArrow(LIST_ARROW_DOWN);
}

void CPageMenu::HandleMiniGameInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
    if (!IsInputFree()) return;
    for (CVxButton* b : m_apMiniGameButton)
        if (b) b->ProcessInput();
    const bool idle = m_iMiniGameScroll == -1;
    const bool down = TakeListStep(true);
    const bool up = TakeListStep(false);
    if (down && idle && m_iMiniGameGroup < m_nMiniGameGroups - 1) {
        StepMiniGameGroup(1);
        m_iMiniGameScroll = 1;
        PlaySlide();
    } else if (up && idle && m_iMiniGameGroup > 0) {
        StepMiniGameGroup(0);
        m_iMiniGameScroll = 0;
        PlayClick();
    }
    const int open = GetOpenMiniGameCount();
    // Only a button standing still and enabled starts its game.
    if (idle && IsTap()) {
        for (int i = 0; i < MINI_GAMES && i < open; ++i) {
            CVxButton* b = m_apMiniGameButton[i];
            if (!b || b->m_iStatus == BUTTON_DISABLE || !b->HitTest()) continue;
            app->m_iMenuReturnScreen = MENU_MINIGAME;
            app->m_iCurrentStage = FIRST_MINI_GAME_STAGE + i;
            if (app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Add(kBattlePageCode);
            PlayClick();
            break;
        }
    }
    if (m_pBackButton && m_pBackButton->TakeClick()) RequestSubScreen(MENU_EPISODE, 1);
}
