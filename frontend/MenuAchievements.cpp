// The achievements list: the forty achievements with picture, name,
// condition and a tick or the progress, paged as the laboratory's list.
#include <cmath>
#include <cstdio>

#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "frontend/PageMenu.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

const char* const kInfoFolder = "Resource\\InfoPicture\\";
constexpr float kListX = 40.0f;
constexpr float kListTop = 195.0f;
constexpr float kVisible = 400.0f;
constexpr float kGrey = 0.65f;
constexpr float kListMaximum = 6048.0f;  // nine pages of four

// Progress shows as numbers except for one-step targets and these four.
bool ShowsProgress(int index) {
    return GetAchievementTarget(index) != 1 && index != 30 && index != 32 && index != 34 && index != 36;
}

}  // namespace

void CPageMenu::LoadAchievements() {
    for (int i = 0; i < PROFILE_ACHIEVEMENTS; ++i) {
        // An anchor has no picture and no extent: it only carries the row's place.
        for (int k = 0; k < 2; ++k) {
            CVxBillboard* a = m_pResourceManager->CreateBillboard(nullptr, nullptr, nullptr);
            if (a) {
                a->SetAlphaBlend(true);
                a->SetSize(0.0f, 0.0f, 1.0f);
                a->SetPosition(kListX, 0.0f, 0.0f);
            }
            m_apAchvAnchor[i][k] = a;
        }
        char name[32];
        std::snprintf(name, sizeof name, "Bbd_Achv_%02d.png", i + 1);
        m_apAchvPicture[i] = m_pResourceManager->CreateBillboard(name, kInfoFolder, nullptr);
        if (m_apAchvPicture[i]) m_apAchvPicture[i]->SetAlphaBlend(true);
    }
    m_pAchvLocked = m_pResourceManager->CreateBillboard("Bbd_Achv_00.png", kInfoFolder, nullptr);
    if (m_pAchvLocked) m_pAchvLocked->SetAlphaBlend(true);
    EnterAchievements();
}

void CPageMenu::EnterAchievements() {
    m_fCompletion = CompletionPercent(g_CurrentProfile);
    m_AchvList = MenuPagedList{0.0f, 0.0f, kListMaximum};
}

void CPageMenu::UpdateAchievements() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    DrawListBacking();
    const float shown = StepPagedList(m_AchvList);
    ShowListStill([&](float dx) {
        CVxFont* font = app->m_pFontStandard;
        for (int i = 0; i < PROFILE_ACHIEVEMENTS; ++i) {
            const bool complete = IsAchievementCompleteIn(g_CurrentProfile, i);
            const float x = kListX + dx;
            const float y = kListTop - SHOP_ROW_HEIGHT * float(i) + shown;
            if (std::fabs(y) >= kVisible) continue;
            const float c = complete ? 1.0f : kGrey;
            for (CVxBillboard* pic :
                 {m_apAchvAnchor[i][complete ? 1 : 0], complete ? m_apAchvPicture[i] : m_pAchvLocked}) {
                if (!pic) continue;
                const bool anchor = pic == m_apAchvAnchor[i][0] || pic == m_apAchvAnchor[i][1];
                pic->SaveState();
                pic->SetPosition(anchor ? x : x - 280.0f, y, 0.0f);
                pic->SetDiffuse(c, c, c, 1.0f);
                pic->RenderSRT();
                pic->RestoreState();
            }
            DrawRowText(x, y, GetAchievementName(i), GetAchievementCondition(i), !complete);
            if (complete) {
                DrawSharedPicture(m_pCheckboxYes, x + 325.0f, y - 55.0f);
            } else if (ShowsProgress(i)) {
                // Ends where the ticks of complete rows end, so the longest
                // count, "(99,999 / 100,000)", stays in the list's column.
                FontStyle style;
                style.size = 0.6f;
                style.align = -1;
                style.colour = {kGrey, kGrey, kGrey, 1.0f};
                DrawStyledText(font, style, x + 345.0f, y - 55.0f, FormatAchievementProgress(i));
            }
        }
    });
    DrawPagedListArrows(m_AchvList);
}

void CPageMenu::HandleAchievementsInput() {
    if (!IsInputFree()) return;
    PageList(m_AchvList);
    if (m_pBackButton && m_pBackButton->TakeClick()) RequestSubScreen(MENU_MAIN, 1);
}
