#include "battle/effects/Effect_NewEnemy.h"

#include "battle/effects/DiscoveryBoard.h"
#include "battle/page/PageGame.h"
#include "content/DescriptiveTexts.h"
#include "content/UnitDefinition.h"
#include "content/UnlockTables.h"
#include "content/UnitIds.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxNumber.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

const char* const kInfoPictureFolder = "Resource\\InfoPicture\\";
constexpr int kSymbolCell = 13;

const GyrotorPlacement kGyrotors[] = {
    {MachineId::Smasher, 20, 140, 0, 0, -20, 50, 0},       {MachineId::HeavySmasher, -30, 130, 0, 0, 20, 50, 0},
    {MachineId::Cycler, 5, 135, 0, 0, -10, 50, 230},       {MachineId::Transporter, 20, 145, 0, 220, -10, 50, 230},
    {MachineId::Driller, 10, 110, -5, 0, 0, 60, 0},        {MachineId::Jumper, 0, 125, -2, 0, 0, 40, 240},
    {MachineId::Knight, 0, 115, 0, 0, 10, 60, 0},          {MachineId::RocketWagon, -20, 100, -5, 0, 30, 30, 0},
    {MachineId::MarineStriker, 10, 130, 3, 0, -20, 50, 0}, {MachineId::MegaSmasher, -20, 125, 0, 0, 20, 50, 0},
    {MachineId::BlastTank, 20, 125, -3, 0, -10, 60, 240},  {MachineId::UltraCycler, 5, 120, -3, 0, -10, 45, 210},
};

void DrawPicture(CVxBillboard* picture, float x, float y, float size, float degrees) {
    if (!picture) return;
    picture->SaveState();
    picture->SetAlphaBlend(true);
    if (size > 0.0f) picture->SetSize(size, size, 1.0f);
    picture->SetRotation(0.0f, 0.0f, degrees * VX_DEG_TO_RAD);
    picture->SetPosition(x, y, 0.0f);
    picture->RenderSRT();
    picture->RestoreState();
}

}  // namespace

const GyrotorPlacement* FindGyrotorPlacement(int typeId) {
    for (const GyrotorPlacement& g : kGyrotors)
        if (g.typeId == typeId) return &g;
    return nullptr;
}

const char* GyrotorPictureName(int typeId) {
    switch (typeId) {
    case MachineId::Smasher:
    case MachineId::Cycler:
    case MachineId::Transporter:
    case MachineId::MarineStriker:
    case MachineId::BlastTank:
    case MachineId::UltraCycler: return "Bbd_Copter1.png";
    case MachineId::HeavySmasher:
    case MachineId::Driller:
    case MachineId::Jumper:
    case MachineId::Knight:
    case MachineId::MegaSmasher: return "Bbd_Copter2.png";
    case MachineId::RocketWagon: return "Bbd_Copter3.png";
    default: return nullptr;
    }
}

CVxBillboard* CEffect_NewEnemy::LoadPictures(int typeId, int variant) {
    CGameApplication* app = g_pGameAppInstance;
    CVxResourceManager* rm = BattlePageOf(app) ? BattlePageOf(app)->m_pResourceManager : nullptr;
    if (!rm) return nullptr;
    const char* name = nullptr;
    if (variant == 1) name = GyrotorPictureName(typeId);
    else if (variant == 3 || variant == 4) name = "Bbd_TheMachineUpgrade.png";
    if (!name) return nullptr;
    CVxBillboard* picture = rm->CreateBillboard(name, kInfoPictureFolder, nullptr);
    if (picture) picture->SetAlphaBlend(true);
    return picture;
}

CEffect_NewEnemy::CEffect_NewEnemy() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_bBoardRendered = false;
}

void CEffect_NewEnemy::OnStart(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || m_aInstances[index].kind != 0) return;
    if (app->m_pSndMsgBox && !app->m_pSndMsgBox->IsPlaying()) app->m_pSndMsgBox->Play();
}

void CEffect_NewEnemy::DrawPictures(const NewEnemyEntry& entry, float oy) {
    if (entry.picture) entry.picture->SetAlphaBlend(true);
    if (entry.variant == 3 || entry.variant == 4) {
        DrawPicture(entry.extraPicture, 0.0f, oy + 80.0f, 0.0f, 0.0f);
        return;
    }
    if (entry.variant == 1) {
        const GyrotorPlacement* g = FindGyrotorPlacement(entry.typeId);
        if (!g) return;
        DrawPicture(entry.extraPicture, g->gyroX, oy + g->gyroY, g->gyroSize, g->gyroDegrees);
        DrawPicture(entry.picture, g->machineX, oy + g->machineY, g->machineSize, 0.0f);
        return;
    }
    DrawPicture(entry.picture, 0.0f, oy + 70.0f, 0.0f, 0.0f);
}

void CEffect_NewEnemy::DrawLifeCost(int typeId, float qx, float qy) {
    CGameApplication* app = g_pGameAppInstance;
    UnitDefinition def{};
    GetUnitDefinition(def, typeId);
    const int d = def.m_iHeartDecrease;
    DrawSharedPicture(app->m_pBbdHeartAttack, qx - 42.0f, qy);
    if (d <= 0) {
        FontStyle na = BodyStyle(570);
        na.size = 0.8f;
        DrawStyledText(app->m_pFontStandard, na, qx - 5.0f, qy, "N/A");
        return;
    }
    CVxNumber* number = app->m_pNumInterface;
    if (!m_pBbdSymbol && number && number->m_apDigitTextures[0]) {
        float rect[4];
        if (CVxNumber::DigitRect(kSymbolCell, 4, 4, rect)) {
            m_pBbdSymbol = CreateBillboard(nullptr, nullptr, number->m_apDigitTextures[0]);
            m_pBbdSymbol->SetAlphaBlend(true);
            m_pBbdSymbol->SetTextureRect(rect[0], rect[1], rect[2], rect[3]);
            m_pBbdSymbol->ScaleSize2D(rect[2], rect[3]);
        }
    }
    DrawSharedPicture(m_pBbdSymbol, qx, qy + 3.0f);
    if (!number) return;
    const float spacing = number->m_fSpacing;
    const int align = number->m_iAlign;
    const int minDigits = number->m_nMinDigits;
    number->SaveState();
    number->m_fSpacing = 19.0f;
    number->m_iAlign = -1;
    number->m_nMinDigits = -1;
    number->SetPosition(qx + 15.0f, qy, 0.0f);
    number->Draw(d);
    number->RestoreState();
    number->m_fSpacing = spacing;
    number->m_iAlign = align;
    number->m_nMinDigits = minDigits;
}

void CEffect_NewEnemy::DrawContent(const NewEnemyEntry& entry, float oy) {
    CGameApplication* app = g_pGameAppInstance;
    DrawSharedPicture(app->m_apBbdMsgHeader[1], 0.0f, oy + 215.0f);
    DrawPictures(entry, oy);
    if (entry.variant != 3 && entry.variant != 4) DrawLifeCost(entry.typeId, 230.0f, oy + 140.0f);
    DrawSharedPicture(app->m_pBbdMsgTextBG, 0.0f, oy - 115.0f, 1.15f, 0.2f);
    const char* name =
        entry.variant == 0 ? GetUnitName(entry.typeId) : GetEnemyVariantName(entry.variant, entry.typeId);
    DrawStyledText(app->m_pFontStandard, TitleStyle(0.7f, 7.0f, 0.5f), 0.0f, oy - 40.0f, name);
    const char* text =
        entry.variant == 0 ? GetUnitAbilityText(entry.typeId) : GetEnemyVariantDescription(entry.variant, entry.typeId);
    DrawStyledText(app->m_pFontStandard, BodyStyle(550), -266.0f, oy - 95.0f, text);
}

void CEffect_NewEnemy::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    CPageGame* page = BattlePageOf(app);
    if (!page || index != 0) return;
    const EffectInstance& r = m_aInstances[0];
    const int kind = r.kind;
    const int age = r.age;
    const float y = DiscoverySlideY(kind, age);
    m_vBoardPos = VxVec3{0.0f, y, 0.0f};
    if (kind == 0 && age == 0 && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Start(0, 0);
    if (page->m_itNewEnemy == page->m_lstNewEnemies.end()) return;
    const NewEnemyEntry& entry = *page->m_itNewEnemy;

    DrawSharedPicture(app->m_pBbdMsgMedium, 0.0f, y);
    DrawDiscoveryRays(*app, app->m_apBbdTwist[1], m_vBoardPos);
    if (kind == 0 && age == 0) m_bBoardRendered = false;
    if (!m_bBoardRendered && BeginRenderToTexture(DISCOVERY_CONTENT_SLOT, true)) {
        DrawContent(entry, 0.0f);
        EndRenderToTexture();
        m_bBoardRendered = true;
    }
    // Without a slot to keep it in, the content is drawn at the board's place each frame.
    if (!(m_bBoardRendered && ShowKeptContent(*app, DISCOVERY_CONTENT_SLOT, m_vBoardPos))) DrawContent(entry, y);
    if (page->m_pBtnOK) {
        page->m_pBtnOK->SetPosition(4.0f, y - 240.0f, 0.0f);
        page->m_pBtnOK->RenderSRT();
    }
    if (y > float(DISCOVERY_SLIDE_START)) FinishBoard();
}

void CEffect_NewEnemy::FinishBoard() {
    CGameApplication* app = g_pGameAppInstance;
    CPageGame* page = BattlePageOf(app);
    const NewEnemyEntry closed = *page->m_itNewEnemy;
    Clear(0);
    ++page->m_itNewEnemy;
    if (page->m_itNewEnemy != page->m_lstNewEnemies.end()) {
        Start(0, 0);
        m_aInstances[0].age = -1;
        return;
    }
    // The sequence is over: only now are the Machines met.
    AnnounceNewEnemiesForStage(app->m_iCurrentStage);
    if (closed.typeId == TIP_MACHINE_TYPE && closed.variant == 0 && app->m_pEffectMsgBox) {
        // The still is taken only for a tip that really opens.
        if (app->m_pEffectMsgBox->Add(MSGBOX_TIP_LIFE_DAMAGE) >= 0) {
            app->m_bCaptureStill = true;
            app->m_bShowStill = false;
        }
    }
}

void CEffect_NewEnemy::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    CPageGame* page = BattlePageOf(app);
    if (!page || !page->m_pBtnOK) return;
    page->m_pBtnOK->ProcessInput();
    // Only a board standing at its rest height takes the click.
    const EffectInstance& r = m_aInstances[0];
    if (r.life <= 0 || m_vBoardPos.y != float(DISCOVERY_REST_Y)) return;
    if (!TakeBoardClose(page->m_pBtnOK)) return;
    Start(0, 1);
    if (app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Start(0, 1);
    RestartSound(app->m_pSndBtnClick);
}
