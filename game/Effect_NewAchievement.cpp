#include "game/Effect_NewAchievement.h"

#include <string>

#include "content/Achievements.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "game/BattleLink.h"
#include "game/Effect_BlackScreen.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

const char* const kInfoPictureFolder = "Resource\\InfoPicture\\";

}  // namespace

std::string AchievementPictureName(int index) {
    std::string number = std::to_string(index + 1);
    if (number.size() < 2) number.insert(0, "0");
    return "Bbd_Achv_" + number + ".png";
}

CEffect_NewAchievement::CEffect_NewAchievement() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pBtnOK = new CVxButton(-1);
    m_pBtnOK->m_iOwnerId = m_iOwnerId;
    m_pBtnOK->m_pBoard = this;
    m_lstButtons.push_back(m_pBtnOK);
    if (CGameApplication* app = g_pGameAppInstance) {
        const CustomType& ok = app->m_aButtonSets[BTN_OK];
        CVxButton::SetStateTextures(m_pBtnOK, ok.m_apState[BUTTON_PRESS], ok.m_apState[BUTTON_OVER],
                                    ok.m_apState[BUTTON_DISABLE], ok.m_apState[BUTTON_NORMAL]);
    }
    m_bClosing = 0;
}

CEffect_NewAchievement::~CEffect_NewAchievement() {
    delete m_pPicture;
    m_pPicture = nullptr;
    m_lstPending.clear();
}

void CEffect_NewAchievement::Announce(int index) {
    if (!IsRecordAlive()) StartRecord(index);
    else AppendPending(index);
}

void CEffect_NewAchievement::OnStart(int index) {
    delete m_pPicture;
    m_pPicture =
        new CVxBillboard(AchievementPictureName(m_aInstances[index].kind).c_str(), kInfoPictureFolder, nullptr);
    m_pPicture->SetAlphaBlend(true);
    m_bClosing = 0;
}

void CEffect_NewAchievement::ResetBoard() {
    Clear(0);
    delete m_pPicture;
    m_pPicture = nullptr;
    m_lstPending.clear();
    // No slide-out will come to clear it, and the menu waits for it before taking input.
    m_bShowing = false;
}

void CEffect_NewAchievement::DrawStatic(float y) {
    CGameApplication* app = g_pGameAppInstance;
    const int index = m_aInstances[0].kind;
    DrawSharedPicture(app->m_apBbdMsgHeader[2], 0.0f, y + 210.0f);
    if (m_pPicture) {
        m_pPicture->SaveState();
        m_pPicture->ScaleSizeUniform(0.9f);
        m_pPicture->SetPosition(0.0f, y + 70.0f, 0.0f);
        m_pPicture->RenderSRT();
        m_pPicture->RestoreState();
    }
    DrawSharedPicture(app->m_pBbdMsgTextBG, 0.0f, y - 115.0f, 1.15f, 0.25f);
    DrawStyledText(app->m_pFontStandard, TitleStyle(0.7f, 7.0f, 0.5f), 0.0f, y - 30.0f, GetAchievementName(index));
    DrawStyledText(app->m_pFontStandard, BodyStyle(570), -260.0f, y - 75.0f, GetAchievementCondition(index));
}

void CEffect_NewAchievement::Draw(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || index != 0) return;
    EffectInstance& r = m_aInstances[0];
    const int age = r.age;
    float y = 0.0f;
    if (!m_bClosing) {
        y = float(ACHIEVEMENT_SLIDE_START - ACHIEVEMENT_SLIDE_STEP * age);
        if (y < float(ACHIEVEMENT_REST_Y)) y = float(ACHIEVEMENT_REST_Y);
    } else {
        y = float(ACHIEVEMENT_SLIDE_STEP * age + ACHIEVEMENT_REST_Y);
    }
    m_vSlideOffset = VxVec3{0.0f, y, 0.0f};
    m_bShowing = true;
    const bool opening = age == 0 && !m_bClosing;
    if (opening && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Add(0);

    DrawSharedPicture(app->m_pBbdMsgMedium, 0.0f, y);
    const float turn = float(app->m_nFrame) * 0.5f;
    DrawTurningGlows(app->m_pBbdStarCircle, 0.0f, y + 70.0f, 1.75f, turn);

    if (opening) m_bPictureCached = false;
    if (!m_bPictureCached && BeginRenderToTexture(ACHIEVEMENT_PICTURE_SLOT, true)) {
        DrawStatic(0.0f);
        EndRenderToTexture();
        m_bPictureCached = true;
    }
    // No slot to keep it in: drawn straight to the screen each tick.
    if (!(m_bPictureCached && ShowKeptContent(*app, ACHIEVEMENT_PICTURE_SLOT, m_vSlideOffset))) DrawStatic(y);

    m_pBtnOK->SetPosition(4.0f, y - 250.0f, 0.0f);
    m_pBtnOK->Render();

    if (y > float(ACHIEVEMENT_SLIDE_START)) {
        Clear(0);
        delete m_pPicture;
        m_pPicture = nullptr;
        if (!m_lstPending.empty()) {
            Start(0, m_lstPending.front());
            m_aInstances[0].age = -1;
            m_lstPending.pop_front();
        }
        if (!IsRecordAlive()) m_bShowing = false;
    }
    if (opening) RestartSound(app->m_pSndGotAchv);
}

void CEffect_NewAchievement::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    m_pBtnOK->ProcessInput();
    if (!app || !IsRecordAlive() || m_bClosing || !m_pPicture || m_vSlideOffset.y > float(ACHIEVEMENT_REST_Y)) return;
    if (!(m_pBtnOK->TakeClick() || TakeKeyRelease(VK_ENTER))) return;
    m_bClosing = 1;
    m_aInstances[0].age = 0;
    const bool pastPlay = !app->m_bSwitchPending && app->m_iCurrentPage == BATTLE_PAGE_INDEX && app->m_pPageGame &&
                          app->m_pPageGame->BattleState() > BATTLE_PLAYING;
    if (!pastPlay && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Start(0, 1);
    RestartSound(app->m_pSndBtnClick);
}
