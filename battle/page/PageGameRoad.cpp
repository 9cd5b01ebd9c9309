// The battle page's frame road: update, render and overlay. The logic pass
// runs in the model (battle/model/BattleRoad.h); the page shows each robot,
// bullet, item and field effect right after its turn.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_DestroyerHand.h"
#include "battle/effects/Effect_Fish.h"
#include "battle/effects/Effect_Flower.h"
#include "battle/effects/Effect_GreenBall.h"
#include "battle/effects/Effect_Meteor.h"
#include "battle/effects/Effect_Oxygen.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_SandWind.h"
#include "battle/effects/Effect_SmokeLowHP.h"
#include "battle/effects/Effect_Snow.h"
#include "battle/effects/Effect_Spike.h"
#include "battle/effects/Effect_Cross.h"
#include "battle/effects/Effect_TextMiss.h"
#include "battle/model/BattleDrawer.h"
#include "battle/model/BattleFrame.h"
#include "battle/model/BattleRoad.h"
#include "battle/model/ChargeShotRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameStage.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "engine/VxBillboard.h"
#include "engine/VxXApplication.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"
#include "content/StageRules.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

// The page's pictures at their places in the logic pass.
class RoadDrawer final : public BattleDrawer {
public:
    explicit RoadDrawer(CPageGame& page) : m_Page(page) {}

    void FieldCells() override;
    void CarriedCardHeld() override { m_Page.HoldCarriedCardAt(m_Page.CursorPoint()); }
    void CarriedCardShown() override {
        if (m_Page.m_Battle.HeldCardCell() >= 0) m_Page.DrawReachPreview();
    }
    void EffectsBeforeUnits() override {
        if (m_Page.m_pEffectFlower) m_Page.m_pEffectFlower->Tick();
        if (ModeOf(CurrentStage()) == MiniGameMode::BombRun && m_Page.m_pEffectParatrooper)
            m_Page.m_pEffectParatrooper->Tick();
    }
    void EffectsAfterUnits() override;
    void EffectsAfterItems() override {
        if (m_Page.m_pEffectTextMiss) m_Page.m_pEffectTextMiss->Tick();
        if (m_Page.m_pEffectCross) m_Page.m_pEffectCross->Tick();
    }
    void WeatherShown(const WeatherFrame& seen) override { m_Page.ShowWeather(seen); }
    void DestroyerHands(int layer) override {
        if (!m_Page.m_pEffectDestroyerHand) return;
        m_Page.m_pEffectDestroyerHand->m_iLayer = layer;
        m_Page.m_pEffectDestroyerHand->Tick();
    }
    void UnderRobot(const CCom_GameRobot& r, float bob) override;
    void AfterRobot(const CCom_GameRobot& robot) override;
    void MovableMark(const CCom_GameRobot& robot) override {
        if (IsRelocationStage(CurrentStage())) m_Page.DrawCanMoveMarker(robot);
    }
    void RowRobotsRun(int row) override;
    void RowDone(int row) override {
        if (row == FIELD_ROWS - 1 && m_Page.m_pEffectSmokeLowHP) m_Page.m_pEffectSmokeLowHP->Tick();
    }
    void AfterBullet(const CCom_GameBullet& bullet) override { bullet.Draw(m_Page.m_Battle); }
    void LanesDone() override;
    void EndCages(int frame, float alpha) override;
    void WaterStrip() override {
        if (m_Page.m_Battle.State().m_pStage) m_Page.m_Battle.State().m_pStage->DrawWaterStrip(m_Page.m_Battle);
    }
    void FieldEffectShown(const FieldEffect& record) override { DrawFieldEffect(m_Page, record); }
    void AfterItem(const CCom_GameItem& item) override { item.Draw(m_Page.m_Battle); }
    void AfterShownRobot(const CCom_GameRobot& robot) override { robot.Draw(m_Page.m_Battle); }

private:
    CPageGame& m_Page;
};

// The debug view's cell kinds; in play, the cells fade in while a card is carried.
void RoadDrawer::FieldCells() {
    if (m_Page.m_bDebugView) m_Page.DrawFieldCellKinds();
    if (m_Page.m_Battle.State().m_iBattleState != BATTLE_PLAYING) return;
    float& phase = m_Page.m_fPlaceMarkPhase;
    if (m_Page.m_Battle.State().m_iCarriedCard < 0) phase = std::max(0.0f, phase - 0.1f);
    else phase = std::min(1.0f, phase + 0.1f);
    if (phase > 0.0f && !m_Page.m_bHudHidden) m_Page.DrawFieldCells(phase);
}

void RoadDrawer::EffectsAfterUnits() {
    CVxEffect* const ambient[] = {m_Page.m_pEffectFish,     m_Page.m_pEffectOxygen, m_Page.m_pEffectGreenBall,
                                  m_Page.m_pEffectSandWind, m_Page.m_pEffectSnow,   m_Page.m_pEffectMeteor,
                                  m_Page.m_pEffectSpike};
    for (CVxEffect* e : ambient)
        if (e) e->Tick();
}

// The duel stages' robots stand on a base; 171's hang from parachutes.
void RoadDrawer::UnderRobot(const CCom_GameRobot& r, float bob) {
    const int stage = CurrentStage();
    const int type = r.Type();
    CVxBillboard* base = m_Page.m_pRobotBase;
    if (base && IsBaseDuelStage(stage)) {
        const bool gunner = r.m_iUnitSlot >= 0 && r.m_iUnitSlot < HAND_SLOTS &&
                            m_Page.m_Battle.State().m_aHand[r.m_iUnitSlot].m_iCard == RobotId::MachineGunner &&
                            type != RobotId::MachineGunner;
        const VxVec3& offset = m_Page.m_vRobotBaseOffset;
        base->SaveState();
        base->SetPosition(r.m_vPosition.x + offset.x + (gunner ? 15.0f : 0.0f), r.m_vPosition.y + offset.y + bob,
                          r.m_vPosition.z);
        base->Render();
        base->RestoreState();
    }
    if (ModeOf(stage) == MiniGameMode::BombRun && m_Page.m_pEffectParatrooper && r.m_Unit.m_iRole != ROLE_TIMER)
        m_Page.m_pEffectParatrooper->DrawParachuteOver(VxVec3{r.m_vPosition.x, r.m_vPosition.y + bob, r.m_vPosition.z},
                                                       r.m_iUnitSlot);
}

void RoadDrawer::AfterRobot(const CCom_GameRobot& robot) {
    robot.Draw(m_Page.m_Battle);
    if (robot.m_bSeesConcealed && robot.m_iHp > 0 && m_Page.m_pSeesConcealedMark) {
        CVxBillboard* mark = m_Page.m_pSeesConcealedMark;
        const float dx = robot.Type() == RobotId::GunnerBot && robot.m_Unit.m_iActionInterval < 100 ? 5.0f : -10.0f;
        mark->SaveState();
        mark->ScaleSizeUniform(0.85f);
        mark->SetPosition(robot.m_vPosition.x + dx, robot.m_vPosition.y + 40.0f + robot.m_fBob, robot.m_vPosition.z);
        mark->Render();
        mark->SetDiffuse(0.5f, 0.5f, 0.5f, 0.5f);
        mark->Render();
        mark->RestoreState();
    }
}

// Smoke rises from the row's robots that are down to half their hit points.
void RoadDrawer::RowRobotsRun(int row) {
    if (EngineFrame() % 20 != 0 || !m_Page.m_pEffectSmokeLowHP) return;
    for (const CCom_GameRobot& r : m_Page.m_Battle.State().m_lstRobots) {
        if (r.m_iRow != row || r.Type() == RobotId::BarrierBots || r.m_Unit.m_iMaxHp <= 0 || r.m_iHp <= 0) continue;
        if (double(r.m_iHp) / double(r.m_Unit.m_iMaxHp) > 0.5) continue;
        const float lift = UnitHas(r.Type(), UNIT_TALL) ? 80.75f : 0.0f;
        m_Page.m_pEffectSmokeLowHP->Add(0, r.m_vPosition.x, r.m_vPosition.y + lift, r.m_vPosition.z);
    }
}

// 168: blinking Machines are the ones a zap can hit: they pulse.
void RoadDrawer::LanesDone() {
    if (KindOf(CurrentStage()) != StageKind::ClickZapping) return;
    for (const CCom_GameRobot& r : m_Page.m_Battle.State().m_lstRobots)
        if (r.IsMachine() && r.m_iHp > 0 && MachineBlinks(r, EngineFrame())) m_Page.DrawPulsingMarker(r.m_vPosition);
}

// The cages stand on the start line, which comes up with the scroll.
void RoadDrawer::EndCages(int frame, float alpha) {
    const float sunk = m_Page.m_Battle.State().m_pStage ? 0.2f * m_Page.m_Battle.State().m_pStage->m_fScrollY : 0.0f;
    CVxBillboard* cage = m_Page.m_apCageArt[frame];
    if (!cage) return;
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        const FieldCell& cell = m_Page.m_Battle.State().m_aFieldCells[c * FIELD_ROWS + 4];
        cage->SaveState();
        cage->SetAlphaBlend(true);
        cage->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
        cage->SetPosition(cell.m_fX, cell.m_fY - 40.375f - 10.0f + 118.0f + sunk, cell.m_fZ);
        cage->RenderSRT();
        cage->RestoreState();
    }
}

}  // namespace

int CPageGame::Update() {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    // Frames the application spent on a still picture passed the battle by.
    const int frame = EngineFrame();
    if (frame - m_iLastUpdateFrame > 1) ApplyCommand(StandStill{frame - m_iLastUpdateFrame - 1});
    m_iLastUpdateFrame = frame;
    TakeLoadedHand();
    AttenuateSounds();
    return CVxPage::Update();
}

int CPageGame::Render() {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    return CVxPage::Render();
}

int CPageGame::RenderOverlay() {
    if (g_pGameAppInstance && g_pGameAppInstance->m_pEffectSwitchPage) g_pGameAppInstance->m_pEffectSwitchPage->Tick();
    return CVxPage::RenderOverlay();
}

int CPageGame::UpdateScreen(int subScreen) {
    if (subScreen == 1) UpdateRobopedia();
    return 0;
}
// The battle's frame runs whole while its screen is drawn; behind the
// Robopedia only its frame count goes on.
int CPageGame::RenderScreen(int subScreen) {
    if (subScreen == 0) return RunBattleStates();
    if (subScreen == 1) RenderRobopedia();
    m_Battle.CountFrame();
    return 0;
}
int CPageGame::RenderScreenOverlay(int subScreen) {
    if (subScreen == 1) RenderRobopediaOverlay();
    return 0;
}

// The frame runs in the model; the page shows the field at the drawer's
// places and the rest at the steps'.
void CPageGame::RunFrameRoad(BattleFrameSteps& steps) {
    RoadDrawer drawer(*this);
    RunBattleFrame(m_Battle, m_aRobotArray, m_nRobotArray, drawer, steps);
    ShakeScreen();
}

void CPageGame::DrawCanMoveMarker(const CCom_GameRobot& robot) {
    CVxBillboard* mark = m_pCanMoveIcon;
    if (!mark || robot.IsMachine() || robot.m_iState == ROBOT_DYING || robot.m_iHp <= 0) return;
    if (ModeOf(CurrentStage()) == MiniGameMode::SequenceGame &&
        (robot.Type() == RobotId::MarinerBot || robot.Type() == RobotId::BuoyerBot))
        return;
    const VxVec3 at{robot.m_vPosition.x + 38.0f, robot.m_vPosition.y + 27.0f, robot.m_vPosition.z};
    // Larger while a hit still flashes, shrinking back as the flash ends.
    const float scale = 1.0f + 0.5f * float(std::clamp(robot.m_iHitFlash, 0, 30)) / 30.0f;
    if (robot.m_iSerial == m_Battle.State().m_iRelocatingRobot) {
        DrawPulsingMarker(at, scale);
        return;
    }
    mark->SaveState();
    if (scale != 1.0f) mark->ScaleSizeUniform(scale);
    mark->SetPosition(at.x, at.y, at.z);
    mark->RenderSRT();
    mark->RestoreState();
}

void CPageGame::UpdateBattleObjects() {
    RoadDrawer drawer(*this);
    RunBattleObjects(m_Battle, drawer);
}
