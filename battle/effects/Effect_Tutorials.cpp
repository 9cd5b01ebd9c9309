#include "battle/effects/Effect_Tutorials.h"

#include <algorithm>
#include <cmath>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleScene.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/UnitIds.h"
#include "engine/VxBillboard.h"
#include "engine/framework/RenderTargets.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

const TutorialStepText kSteps[TUTORIAL_STEPS] = {
    {90, 660, 80, 1, {{90, "Click on the Fusor Bot Card to pick it up."}}},
    {90, 620, 80, 1, {{90, "Then, place him on a ground area."}}},
    {70, 600, 120, 2, {{100, "Good Job.  Please wait while the"}, {50, "Fusor Bot produce energy for you."}}},
    {90, 760, 80, 1, {{90, "This is the Green Energy.  Click on it to collect."}}},
    {90,
     680,
     160,
     3,
     {{130, "Energy is your essential resource."},
      {90, "You'll need to collect enough energy"},
      {50, "to pay the robot's building cost."}}},
    {70,
     740,
     220,
     4,
     {{130, "Another important thing is Life Point. If you"},
      {90, "let the enemies get pass your defensive"},
      {50, "line, your life point will be decreased."},
      {10, "If it reaches zero, you'll lose the battle."}}},
    {110,
     720,
     140,
     2,
     {{130, "Fusor Bot cannot defend himself; you need"}, {90, "to build another robot to fight the enemy."}}},
    {110,
     760,
     140,
     2,
     {{130, "Gunner Bot is a good choice for defender."}, {90, "Now choose his card and place him on the field."}}},
    {110,
     760,
     140,
     2,
     {{130, "Great!  Now you know how to build the robots."}, {90, "Get ready for your first battle."}}},
    {110,
     720,
     140,
     2,
     {{130, "Here comes the enemy.  Don't let it come"}, {90, "close enough to attack your Tinkerlings."}}},
    {110,
     760,
     140,
     2,
     {{130, "Sometimes, enemy will drop Metal Part."}, {90, "It is a valuable object.  Click on it to collect."}}},
    {90,
     740,
     160,
     3,
     {{130, "Your collected metal parts will be carried over"},
      {90, "even after the battle ends.  So you can save"},
      {50, "it up to buy many useful items in the future."}}},
    {90,
     640,
     160,
     3,
     {{130, "By the way, if you want to cancel"},
      {90, "or drop the card you have picked up,"},
      {50, "just click the RIGHT mouse button."}}},
    {140,
     760,
     140,
     2,
     {{160, "You will get the reward after you win each"}, {120, "battle.  Click on the capsule to open it."}}},
    {90,
     620,
     160,
     3,
     {{130, "Hooray!  You just finished this stage."},
      {90, "Keep practicing and you'll be fine."},
      {50, "Good luck on the battle field."}}},
    {0, 0, 0, 0, {}},
    {140,
     680,
     220,
     4,
     {{200, "This stage has higher ground areas."},
      {160, "The robots placed up there will be"},
      {120, "safe from enemy's ground unit."},
      {80, "You should make use of this advantage."}}},
};

constexpr float kBoxAlpha = 0.65f;

FontStyle StepFont(float size, float alpha) {
    FontStyle s;
    s.size = size;
    s.align = 0;
    s.charSpacing = 5.0f;
    s.spaceFactor = 0.3f;
    s.lineSpacing = 1.0f;
    s.wrapWidth = -1;
    s.rowOffset = 0;
    s.colour = VxColor{1.0f, 1.0f, 1.0f, alpha};
    return s;
}

void DrawBox(CVxBillboard* box, float x, float y, float w, float h, float alpha) {
    if (!box) return;
    box->SaveState();
    box->SetSize(w, h, 1.0f);
    box->SetDiffuse(0.0f, 0.0f, 0.0f, alpha);
    box->SetPosition(x, y, 0.0f);
    box->RenderSRT();
    box->RestoreState();
}

// The slot's picture over the whole screen at the alpha; false without a slot.
bool ShowSlotFaded(CGameApplication& app, int slot, float alpha) {
    CVxBillboard* shown = app.m_pRenderTargetBillboard;
    if (!shown || !AttachRenderTargetTexture(shown, slot)) return false;
    app.SetCamera2D(int(shown->m_vSize.x), int(shown->m_vSize.y));
    shown->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
    shown->SetPosition(0.0f, 0.0f, 0.0f);
    shown->RenderSRT();
    shown->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    app.SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    return true;
}

float Clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

}  // namespace

const TutorialStepText* GetTutorialStepText(int step) {
    return step >= 0 && step < TUTORIAL_STEPS ? &kSteps[step] : nullptr;
}

CEffect_Tutorials::CEffect_Tutorials() {
    m_pBox = CreateBillboard("Bbd_HowToPlay_Box2.png", "Resource\\Interface\\", nullptr);
    if (m_pBox) m_pBox->SetAlphaBlend(true);
    m_pGuideLine = CreateBillboard("Bbd_TutLine.png", "Resource\\Interface\\", nullptr);
    if (m_pGuideLine) m_pGuideLine->SetAlphaBlend(true);
    if (CGameApplication* app = g_pGameAppInstance) m_pArrow = app->m_apBbdInterface[6];
}

int CEffect_Tutorials::ArrowPoints(int step, const CBattleModel* battle, float b, VxVec3 (&out)[5], bool& flipped) {
    flipped = false;
    auto one = [&](float x, float y) {
        out[0] = VxVec3{x, y, 0.0f};
        return 1;
    };
    switch (step) {
    case 0: return one(47.0f, -160.0f + b);
    case 1: return one(386.0f, -90.0f + b);
    case 3: return one(386.0f, -50.0f + b);
    case 4: flipped = true; return one(336.0f, 220.0f + b);
    case 5: flipped = true; return one(203.0f, 220.0f + b);
    case 7:
        if (battle && battle->State().m_iCarriedCard >= 0) return one(300.0f, -90.0f + b);
        return one(-47.0f, -160.0f + b);
    case 9:
        if (battle)
            for (const CCom_GameRobot& r : battle->State().m_lstRobots)
                if (r.Type() == MachineId::Smasher) return one(r.m_vPosition.x, r.m_vPosition.y + 120.0f + b);
        return 0;
    case 10:
        if (battle)
            for (const CCom_GameItem& item : battle->State().m_lstItems)
                if (item.m_iItemKind >= 4 && item.m_iItemKind <= 7)
                    return one(item.m_vPosition.x, item.m_vPosition.y + 40.0f + b);
        return 0;
    case 11: flipped = true; return one(-125.0f, 250.0f + b);
    case 13: return one(-39.0f, 20.0f + b);
    case 16:
        for (int i = 0; i < 5; ++i) out[i] = VxVec3{386.0f - 0.95f * float(90 * i), -35.0f + b, 0.0f};
        return 5;
    default: return 0;
    }
}

void CEffect_Tutorials::DrawText(int step, float boxAlpha, float textAlpha) const {
    const TutorialStepText* t = GetTutorialStepText(step);
    CGameApplication* app = g_pGameAppInstance;
    if (!t || t->lines == 0 || !app) return;
    DrawBox(m_pBox, 0.0f, t->boxY, t->boxWidth, t->boxHeight, boxAlpha);
    const FontStyle font = StepFont(0.7f, textAlpha);
    for (int i = 0; i < t->lines; ++i) DrawStyledText(app->m_pFontStandard, font, 0.0f, t->line[i].y, t->line[i].text);
}

void CEffect_Tutorials::DrawHint(float boxAlpha, float textAlpha) const {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    DrawBox(m_pBox, 300.0f, -260.0f, 260.0f, 40.0f, boxAlpha);
    DrawStyledText(app->m_pFontStandard, StepFont(0.6f, textAlpha), 300.0f, -260.0f, "Click to continue...");
}

void CEffect_Tutorials::DrawArrows(int step) const {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const float frame = float(app->m_nFrame);
    const float b = 8.0f * std::sin(6.0f * frame * VX_DEG_TO_RAD);
    VxVec3 points[5];
    bool flipped = false;
    const int n = ArrowPoints(step, m_pBattle, b, points, flipped);
    if (m_pArrow)
        for (int i = 0; i < n; ++i) {
            m_pArrow->SaveState();
            m_pArrow->SetScale(1.0f, flipped ? -1.0f : 1.0f, 1.0f);
            m_pArrow->SetPosition(points[i].x, points[i].y, 0.0f);
            m_pArrow->RenderSRT();
            m_pArrow->RestoreState();
            m_pArrow->SetScale(1.0f, 1.0f, 1.0f);
        }
    if (step == 5 && m_pGuideLine) {
        // The defence line blinks at the field's edge.
        const float a = Clamp01(5.0f * std::sin(8.0f * frame * VX_DEG_TO_RAD));
        m_pGuideLine->SaveState();
        m_pGuideLine->SetDiffuse(1.0f, 1.0f, 1.0f, a);
        for (int i = 0; i < 9; ++i) {
            m_pGuideLine->SetPosition(428.0f, 234.0f - 52.0f * float(i), 0.0f);
            m_pGuideLine->RenderSRT();
        }
        m_pGuideLine->RestoreState();
    }
}

void CEffect_Tutorials::Tick() {
    if (!m_pSteps || !m_pSteps->Started()) return;
    if (!m_bStartSeen) {
        m_bStartSeen = true;
        m_bTextDrawn = m_bHintDrawn = 0;
    }
    const TutorialFrame& f = m_pSteps->LastFrame();
    const int shownStep = f.step;
    if (m_iDrawnStep != shownStep) {
        m_bTextDrawn = 0;
        m_iDrawnStep = shownStep;
    }
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (!m_bTextDrawn && BeginRenderToTexture(TUTORIAL_TEXT_SLOT, true)) {
        DrawText(shownStep, kBoxAlpha, 1.0f);
        EndRenderToTexture();
        m_bTextDrawn = 1;
    }
    if (!(m_bTextDrawn && ShowSlotFaded(*app, TUTORIAL_TEXT_SLOT, f.alpha)))
        DrawText(shownStep, kBoxAlpha * f.alpha, f.alpha);

    if (IsTutorialClickStep(shownStep)) {
        // Between two click steps the hint stays, so it does not blink.
        const bool held = (f.fadingIn && IsTutorialClickStep(shownStep - 1)) ||
                          (f.fadingOut && IsTutorialClickStep(shownStep + 1) && shownStep + 1 != 9);
        const float hintAlpha = held ? 1.0f : f.alpha;
        if (!m_bHintDrawn && BeginRenderToTexture(TUTORIAL_HINT_SLOT, true)) {
            DrawHint(kBoxAlpha, 1.0f);
            EndRenderToTexture();
            m_bHintDrawn = 1;
        }
        if (!(m_bHintDrawn && ShowSlotFaded(*app, TUTORIAL_HINT_SLOT, hintAlpha)))
            DrawHint(kBoxAlpha * hintAlpha, hintAlpha);
    }
    if (m_pSteps->Fade() <= 0.0f) DrawArrows(m_pSteps->Step());
}

void CueTutorialClick(BattleScene& scene) {
    CGameApplication* app = g_pGameAppInstance;
    if (scene.m_pEffectTutorials && app) RestartSound(app->m_pSndBtnClick);
}
