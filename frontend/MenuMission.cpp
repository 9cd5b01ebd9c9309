// The mission panel: the ten stages of the chosen area with their stars,
// locks and marks, and the start of a stage (through the story first at the
// start of an episode whose story was not seen).
#include <string>

#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "frontend/MenuRules.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "content/SaveProfile.h"

namespace {

const char* const kButtonFolder = "Resource\\Button\\";
constexpr int kStagesPerArea = 10;
constexpr int kColumns = 5;
constexpr float kOriginX = -195.0f;
constexpr float kOriginY = 80.0f;
constexpr float kColumnSpacing = 140.0f;
constexpr float kRowSpacing = 180.0f;
constexpr int kStoryPageCode = 2;
constexpr int kBattlePageCode = 3;

void DrawScaled(CVxBillboard* picture, float x, float y, float scale, float alpha) {
    if (!picture) return;
    picture->SaveState();
    picture->ScaleSizeUniform(scale);
    picture->SetPosition(x, y, 0.0f);
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
    picture->RenderSRT();
    picture->RestoreState();
}

}  // namespace

void CPageMenu::LoadMission() {
    for (int n = 1; n <= MENU_MAP_AREAS; ++n) {
        const std::string base = "Btn_Stage" + std::to_string(n) + "_";
        m_pResourceManager->CreateButtonStates(m_aStageFaces[n - 1], base.c_str(), kButtonFolder, 15);
    }
    for (int j = 0; j < MENU_STAGE_BUTTONS; ++j) {
        CVxButton* b = HandledButton(MENU_MISSION);
        m_apStageButton[j] = b;
        if (!b) continue;
        const CustomType& faces = m_aStageFaces[j / kStagesPerArea];
        CVxButton::SetStateTextures(b, faces.m_apState[BUTTON_PRESS], faces.m_apState[BUTTON_OVER],
                                    faces.m_apState[BUTTON_DISABLE], faces.m_apState[BUTTON_NORMAL]);
        b->m_iStatus = BUTTON_NORMAL;
    }
    m_pMissionIcon = MenuPicture("Bbd_MissionIcon.png");
}

int CPageMenu::MissionStageId(int index) const {
    const SaveProfile& p = g_CurrentProfile;
    return MissionButtonStage(p.m_iFurthestStage, p.m_aiAchievementProgress[8] >= 1, m_iEpisodeChoice, m_iMapArea,
                              index);
}

int CPageMenu::MissionMiniGameIndex() const {
    const SaveProfile& p = g_CurrentProfile;
    return PendingMiniGameButton(p.m_iFurthestStage, p.m_aiAchievementProgress[8] >= 1, m_iEpisodeChoice, m_iMapArea);
}

void CPageMenu::UpdateMission() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int a = m_iMapArea;
    const int open = GetOpenStageCountInArea();
    for (int j = 0; j < MENU_STAGE_BUTTONS; ++j) {
        CVxButton* b = m_apStageButton[j];
        if (!b) continue;
        const bool shownOpen = j / kStagesPerArea == a && j % kStagesPerArea < open;
        if (!shownOpen) b->m_iStatus = BUTTON_DISABLE;
        else if (b->m_iStatus == BUTTON_DISABLE) b->m_iStatus = BUTTON_NORMAL;
    }
    const int miniGame = MissionMiniGameIndex();
    for (int i = 0; i < kStagesPerArea; ++i) {
        CVxButton* b = m_apStageButton[a * kStagesPerArea + i];
        if (!b) continue;
        const float x = kOriginX + kColumnSpacing * float(i % kColumns) + m_fSlideX;
        const float y = kOriginY - kRowSpacing * float(i / kColumns);
        b->SetPosition(x, y, 0.0f);
        b->Render();
        const bool isOpen = i < open;
        const bool over = b->m_iStatus == BUTTON_OVER;

        const int stage = (MENU_MAP_AREAS * m_iEpisodeChoice + a) * kStagesPerArea + i + 1;
        const int stars = stage >= 1 && stage <= PROFILE_STAGE_STARS ? g_CurrentProfile.m_aiStageStars[stage - 1] : 0;
        for (int s = 0; s < 3; ++s)
            DrawScaled(app->m_apBbdStar[s < stars ? 0 : 1], x - 35.0f + 35.0f * float(s), y + 77.0f, 0.51f,
                       isOpen ? 1.0f : 0.5f);

        if (isOpen) {
            const float k = over ? 1.1f : 1.0f;
            if (m_pTextBG) {
                m_pTextBG->SaveState();
                m_pTextBG->ScaleSize2D(0.66f * k, 0.85f * k);
                m_pTextBG->SetPosition(x, y + 40.0f, 0.0f);
                m_pTextBG->RenderSRT();
                m_pTextBG->RestoreState();
            }
            DrawCountOf(a + 1, i + 1, x, y + 40.0f, 20.0f, 18.0f, 0.8f);
        } else {
            DrawScaled(m_pLock, x, y, 0.3f, 1.0f);
        }
        if (i == miniGame) DrawScaled(m_pMissionIcon, x, y + 13.0f, over ? 1.1f : 1.0f, 1.0f);
        if (isOpen && IsNewestStage(i))
            DrawScaled(app->m_apBbdInterface[5], x + 5.0f, y - 30.0f, over ? 0.7f : 0.6f, 1.0f);
    }
}

void CPageMenu::HandleMissionInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
    if (!IsInputFree()) return;
    for (CVxButton* b : m_apStageButton)
        if (b) b->ProcessInput();
    const int a = m_iMapArea;
    const int open = GetOpenStageCountInArea();
    for (int i = 0; i < kStagesPerArea; ++i) {
        CVxButton* b = m_apStageButton[a * kStagesPerArea + i];
        if (!b || !b->TakeClick() || i >= open) continue;
        app->m_iCurrentStage = MissionStageId(i);
        app->m_iMenuReturnScreen = MENU_MISSION;
        if (app->m_pEffectSwitchPage) {
            const int e = m_iEpisodeChoice;
            if (a == 0 && i == 0 && e >= 0 && e < 3 && !g_CurrentProfile.m_abStorySeen[e])
                app->m_pEffectSwitchPage->Add(kStoryPageCode);
            // Refused while the story's transition runs: the story leads on to the battle.
            app->m_pEffectSwitchPage->Add(kBattlePageCode);
        }
        PlayClick();
        break;
    }
    if (m_pBackButton && m_pBackButton->TakeClick()) RequestSubScreen(MENU_STAGE_MAP, 1);
}
