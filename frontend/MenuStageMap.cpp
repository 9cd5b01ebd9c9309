// The stage map: the five areas of the chosen episode as a vertical strip,
// which are open, the equipment recommended for the first episode's areas,
// and the unlock of a newly reached area.
#include <string>

#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_ScaleAndDiffuseOut.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"

namespace {

constexpr float kMapX = 62.0f;
constexpr float kMapY = -30.0f;
constexpr int kLastArea = MENU_MAP_AREAS - 1;
constexpr int kAreaStages = 10;

}  // namespace

void CPageMenu::LoadStageMap() {
    CGameApplication* app = g_pGameAppInstance;
    for (int n = 1; n <= MENU_MAP_AREAS; ++n) {
        const std::string name = "Bbd_Map" + std::to_string(n) + ".png";
        m_apMapPicture[n - 1] = MenuPicture(name.c_str());
        if (m_apMapPicture[n - 1]) m_apMapPicture[n - 1]->SetPosition(kMapX, kMapY, 0.0f);
    }
    m_pMapNameTexture = MenuNameRows("Bbd_LG_MapName.png", m_apMapName, MENU_MAP_AREAS);
    m_pMapButton = HandledButton(MENU_STAGE_MAP);
    if (m_pMapButton) {
        m_pMapButton->SetPosition(kMapX, kMapY, 0.0f);
        m_pMapButton->m_iHitHalfWidth = int(530.0f * 0.48f);
        m_pMapButton->m_iHitHalfHeight = int(354.0f * 0.48f);
    }
    m_pCheckboxNo = MenuPicture("Bbd_Checkbox_No.png");
    m_pCheckboxYes = MenuPicture("Bbd_Checkbox_Yes.png");
    if (!app) return;
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->m_iLastClosedKind = -1;
    if (app->m_iMenuReturnScreen == MENU_STAGE_MAP && app->m_iNewArea != -1) {
        for (int i = 0; i < app->m_iNewArea - 1; ++i) ScrollStageMap(1);
        m_iMapScroll = 1;
    }
}

void CPageMenu::ResetStageMap() {
    for (int i = 0; i < MENU_MAP_AREAS; ++i)
        m_avMapTarget[i] = VxVec3{kMapX, kMapY - MENU_LIST_SPACING * float(i), 0.0f};
    m_iMapArea = 0;
    m_iMapScroll = -1;
}

void CPageMenu::ScrollStageMap(int direction) {
    if (direction == 1) {
        if (++m_iMapArea > kLastArea) {
            m_iMapArea = kLastArea;
            return;
        }
        for (VxVec3& t : m_avMapTarget) t.y += MENU_LIST_SPACING;
    } else {
        if (--m_iMapArea < 0) {
            m_iMapArea = 0;
            return;
        }
        for (VxVec3& t : m_avMapTarget) t.y -= MENU_LIST_SPACING;
    }
}

bool CPageMenu::IsAreaLocked(int area) const {
    const CGameApplication* app = g_pGameAppInstance;
    return area >= GetOpenAreaCount() || !MeetsAreaRecommendation(m_iEpisodeChoice, area) ||
           (app && area + 1 == app->m_iNewArea);
}

void CPageMenu::UpdateStageMap() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    CEffect_MsgBox* box = app->m_pEffectMsgBox;
    const bool changing = m_iChangeState != -1 || m_iChangeCountdown != 0;
    // The click area is the shown area's picture, drawn below.
    if (m_pMapButton) m_pMapButton->MarkDrawn();
    int& marker = app->m_iNewArea;
    // An area to announce is announced in view: bring it there, or drop a
    // marker that names no area.
    if (marker != -1 && m_iMapScroll == -1 && !changing && marker != m_iMapArea + 1) {
        if (marker < 1 || marker > MENU_MAP_AREAS) {
            marker = -1;
        } else {
            const bool forward = marker - 1 > m_iMapArea;
            ScrollStageMap(forward ? 1 : 0);
            m_iMapScroll = forward ? 1 : 0;
        }
    }

    if (m_iMapScroll != -1) {
        m_iEnterFrame = int(app->m_nFrame) + 1;
        if (!FadeOrSwitchRunning() && MoveList(m_apMapPicture, m_avMapTarget, MENU_MAP_AREAS, 30.0f)) {
            m_iMapScroll = -1;
            m_vDragVelocity = VxVec3{};
        }
        for (int i = 0; i < MENU_MAP_AREAS; ++i) DrawListEntry(m_apMapPicture[i], IsAreaLocked(i), false);
    } else {
        PlaceList(m_apMapPicture, m_avMapTarget, MENU_MAP_AREAS);
        const bool hover = IsInputFree() && m_pMapButton && m_pMapButton->HitTest();
        for (int i = 0; i < MENU_MAP_AREAS; ++i) {
            CVxBillboard* pic = m_apMapPicture[i];
            const bool locked = IsAreaLocked(i);
            DrawListEntry(pic, locked, hover && i == m_iMapArea && !locked);
            if (i != m_iMapArea || !pic) continue;
            const float px = pic->m_vPosition.x;
            const float py = pic->m_vPosition.y;
            DrawLabelPop(m_apMapName[i], px, py + 160.0f);
            if (!locked) {
                int stars = 0;
                const int first = (MENU_MAP_AREAS * m_iEpisodeChoice + i) * kAreaStages;
                for (int s = 0; s < kAreaStages; ++s)
                    if (first + s >= 0 && first + s < PROFILE_STAGE_STARS)
                        stars += g_CurrentProfile.m_aiStageStars[first + s];
                DrawStarPanel(px + 145.0f, py - 127.0f, 1.0f, 1.0f, stars, 30, 1.0f, 81.0f, 11.0f, 2.0f);
            }
            const bool waited = int(app->m_nFrame) - m_iEnterFrame > 10;
            if (i + 1 == marker && waited && !MsgBoxOpen()) {
                const bool recommended = MeetsAreaRecommendation(m_iEpisodeChoice, i);
                const int last = box ? box->m_iLastClosedKind : -1;
                if (last == MSGBOX_NEW_MAP_UNLOCK || last == MSGBOX_MAP_UNLOCK_CONDITIONS) {
                    if (recommended) {
                        if (m_pItemEffect) m_pItemEffect->Spawn(m_pLock, px, py, 0.0f, 1.0f, 2.0f);
                        if (app->m_pSndCardFull) {
                            app->m_pSndCardFull->Stop();
                            app->m_pSndCardFull->Play();
                        }
                    }
                    marker = -1;
                } else if (!changing) {
                    OpenMsgBox(recommended ? MSGBOX_NEW_MAP_UNLOCK : MSGBOX_MAP_UNLOCK_CONDITIONS);
                }
            }
        }
    }
    if (m_pItemEffect) m_pItemEffect->Tick();
}

void CPageMenu::RenderStageMap() {
    if (m_iMapArea > 0) DrawListArrow(LIST_ARROW_UP);
    if (m_iMapArea < kLastArea) DrawListArrow(LIST_ARROW_DOWN);
}

void CPageMenu::HandleStageMapInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
    if (!IsInputFree() || app->m_iNewArea == m_iMapArea + 1) return;
    const bool idle = m_iMapScroll == -1;
    const bool down = TakeListStep(true);
    const bool up = TakeListStep(false);
    if (down && idle && m_iMapArea < kLastArea) {
        ScrollStageMap(1);
        m_iMapScroll = 1;
        PlaySlide();
    } else if (up && idle && m_iMapArea >= 1) {
        ScrollStageMap(0);
        m_iMapScroll = 0;
        PlayClick();
    }
    if (idle && IsTap() && m_pMapButton && m_pMapButton->HitTest()) {
        if (m_iMapArea < GetOpenAreaCount() && MeetsAreaRecommendation(m_iEpisodeChoice, m_iMapArea)) {
            RequestSubScreen(MENU_MISSION, -1);
            PlayClick();
        } else {
            OpenMsgBox(MSGBOX_MAP_UNLOCK_CONDITIONS);
        }
    }
    if (m_pBackButton && m_pBackButton->TakeClick())
        RequestSubScreen(GetStageEpisode(g_CurrentProfile.m_iFurthestStage) != 1 ? MENU_EPISODE : MENU_MAIN, 1);
}
