#include "battle/effects/Effect_NewRobot.h"

#include "battle/effects/DiscoveryBoard.h"
#include "battle/model/BattleView.h"
#include "content/DescriptiveTexts.h"
#include "content/StageNumbering.h"
#include "content/UnitDefinition.h"
#include "content/UnlockTables.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/framework/RenderTargets.h"
#include "game/Effect_BlackScreen.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

CEffect_NewRobot::CEffect_NewRobot() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_bBoardRendered = false;
}

void CEffect_NewRobot::DrawContent(float oy) {
    CGameApplication* app = g_pGameAppInstance;
    const BattleView* view = m_pView;
    if (!view || view->ShownNewRobot() < 0) return;
    const int robot = view->ShownNewRobot();
    DrawSharedPicture(app->m_apBbdMsgHeader[0], 0.0f, oy + 215.0f);
    if (CVxBillboard* picture = view->ShownNewRobotPicture()) {
        picture->SetAlphaBlend(true);
        picture->SetPosition(0.0f, oy + 70.0f, 0.0f);
        picture->RenderSRT();
    }
    DrawSharedPicture(app->m_pBbdMsgTextBG, 0.0f, oy - 115.0f, 1.15f, 0.25f);
    DrawStyledText(app->m_pFontStandard, TitleStyle(0.7f, 7.0f, 0.5f), 0.0f, oy - 30.0f, GetUnitName(robot));
    DrawStyledText(app->m_pFontStandard, BodyStyle(570), -260.0f, oy - 80.0f, GetUnitAbilityText(robot));
}

void CEffect_NewRobot::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || index != 0) return;
    const EffectInstance& r = m_aInstances[0];
    const int kind = r.kind;
    const int age = r.age;
    const float y = DiscoverySlideY(kind, age);
    m_vBoardPos = VxVec3{0.0f, y, 0.0f};
    // Dims only when the fade's one record is free.
    if (kind == 0 && age == 0 && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Add(0);

    DrawSharedPicture(app->m_pBbdMsgMedium, m_vBoardPos.x, y);
    DrawDiscoveryRays(*app, app->m_apBbdTwist[0], m_vBoardPos);

    if (kind == 0 && age == 0) m_bBoardRendered = false;
    if (!m_bBoardRendered && BeginRenderToTexture(DISCOVERY_CONTENT_SLOT, true)) {
        DrawContent(0.0f);
        EndRenderToTexture();
        m_bBoardRendered = true;
    }
    // Without a slot to keep it in, the content is drawn at the board's place each frame.
    if (!(m_bBoardRendered && ShowKeptContent(*app, DISCOVERY_CONTENT_SLOT, m_vBoardPos))) DrawContent(y);
    BattleView* view = m_pView;
    if (CVxButton* ok = view ? view->OkButton() : nullptr) {
        ok->SetPosition(4.0f, y - 250.0f, 0.0f);
        ok->Render();
    }

    if (y > float(DISCOVERY_SLIDE_START)) {
        Clear(0);
        if (view) view->CloseNewRobots();
        UnlockRobotsForStage(NextStageId(app->m_iCurrentStage));
    }
}

void CEffect_NewRobot::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    CVxButton* ok = m_pView ? m_pView->OkButton() : nullptr;
    if (!ok) return;
    ok->ProcessInput();
    if (m_aInstances[0].life <= 0 || m_vBoardPos.y != float(DISCOVERY_REST_Y)) return;
    if (!TakeBoardClose(ok)) return;
    Start(0, 1);
    // The scene stays dimmed into the battle's following states.
    RestartSound(app->m_pSndBtnClick);
}
