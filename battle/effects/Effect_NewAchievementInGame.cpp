#include "battle/effects/Effect_NewAchievementInGame.h"

#include <string>

#include "battle/effects/BannerTimeline.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

std::string AchievementPicture(int index) {
    std::string number = std::to_string(index + 1);
    if (number.size() < 2) number.insert(0, "0");
    return "Bbd_Achv_" + number + ".png";
}

void DrawFaded(CVxBillboard* picture, float scale, float alpha, float x, float y) {
    if (!picture) return;
    picture->SaveState();
    picture->ScaleSize2D(scale, scale);
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
    picture->SetPosition(x, y, 0.0f);
    picture->RenderSRT();
    picture->RestoreState();
}

}  // namespace

CEffect_NewAchievementInGame::CEffect_NewAchievementInGame() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
}

CEffect_NewAchievementInGame::~CEffect_NewAchievementInGame() {
    DropPictures();
    m_lstPending.clear();
}

void CEffect_NewAchievementInGame::DropPictures() {
    delete m_pBoard;
    delete m_pPicture;
    m_pBoard = m_pPicture = nullptr;
}

void CEffect_NewAchievementInGame::OnStart(int index) {
    DropPictures();
    m_pBoard = new CVxBillboard("Bbd_NewAchievement.png", "Resource\\Interface\\", nullptr);
    m_pBoard->SetAlphaBlend(true);
    m_pPicture =
        new CVxBillboard(AchievementPicture(m_aInstances[index].kind).c_str(), "Resource\\InfoPicture\\", nullptr);
    m_pPicture->SetAlphaBlend(true);
}

void CEffect_NewAchievementInGame::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    CGameApplication* app = g_pGameAppInstance;
    if (r.age == 0 && app) RestartSound(app->m_pSndGotAchv);
    // The phases follow the record's age, so every showing ends after its 180 frames.
    static const int kPhases[] = {15, 150, 15};
    const BannerPhase p = PhaseAt(r.age, kPhases, 3);
    if (p.phase < 3) {
        const float u = float(p.frame) / float(kPhases[p.phase]);
        float s = 1.0f, alpha = 1.0f;
        if (p.phase == 0) {
            s = 2.0f - u;
            alpha = u;
        } else if (p.phase == 2) {
            alpha = 1.0f - u;
        }
        DrawFaded(m_pPicture, 0.6f * s, alpha, 383.0f, 185.0f);
        DrawFaded(m_pBoard, s, alpha, 380.0f, 180.0f);
        return;
    }
    Clear(index);
    DropPictures();
    if (m_lstPending.empty()) return;
    const int next = m_lstPending.front();
    m_lstPending.pop_front();
    Start(0, next);
    // The tick adds one to the age after this frame: the next showing begins at age 0, with its sound.
    m_aInstances[0].age = -1;
}
